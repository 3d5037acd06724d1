#!/bin/sh
# A korvanectl command started while another holds the mouse (a long watch)
# says it is waiting, and after a bounded wait gives up with the reason
# instead of hanging until the other ends.
#   korvanectl_lock.sh <korvane-virtual-mouse> <korvanectl>
set -eu
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
serve_virtual_mouse --preset wired

fail() {
  echo "FAILED: $1" >&2
  exit 1
}

"$ctl" --hid "sim:$socket" watch --seconds 40 >/dev/null &
watcher=$!
sleep 1
code=0
"$ctl" --hid "sim:$socket" status 2>"$dir/err" >/dev/null || code=$?
[ "$code" = 2 ] || fail "status exited $code, not 2 (no mouse reachable), while watch held the mouse"
# The watch ends (at once, whatever its signal handling) before the next command.
kill -KILL "$watcher" 2>/dev/null || true
wait "$watcher" 2>/dev/null || true
grep -q "waiting" "$dir/err" || fail "no word that it waits: $(cat "$dir/err")"
grep -q "still using the mouse" "$dir/err" || fail "no reason given: $(cat "$dir/err")"
"$ctl" --hid "sim:$socket" status >/dev/null || fail "status after watch ended"
echo "a held mouse is reported, not waited for without end"
