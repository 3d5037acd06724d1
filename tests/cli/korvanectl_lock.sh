#!/bin/sh
# A korvanectl command that finds the mouse held says whom it waits for: a
# program that keeps the device lock is waited for a bounded time, then the
# command gives up with exit 2 and the reason instead of hanging; a
# korvanectl command that holds it is named and waited for.
#   korvanectl_lock.sh <korvane-virtual-mouse> <korvanectl>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
serve_virtual_mouse --preset wired
lock="$XDG_RUNTIME_DIR/Korvane Center.device.lock"
note="$XDG_RUNTIME_DIR/Korvane Center.device.holder"
holder=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; [ -n "$holder" ] && kill -KILL "$holder" 2>/dev/null; rm -rf "$dir"' EXIT

ctl() { timeout 30 "$ctl" --hid "sim:$socket" "$@"; }
held() { ! flock -n "$lock" true; }

ctl status >/dev/null 2>&1 || fail "the first start failed"

# Another program keeps the lock: this shell, through descriptor 8.
exec 8>"$lock"
flock 8
held || fail "the lock was not taken"
code=0
ctl status 2>"$dir/err" >/dev/null 8>&- || code=$?
[ "$code" = 2 ] || fail "status exited $code, not 2 (no mouse reachable), while another program held the mouse"
grep -q '^korvanectl: waiting for the mouse, held by another program' "$dir/err" ||
  fail "no word that it waits: $(cat "$dir/err")"
grep -q '^korvanectl: the mouse is still held by another program' "$dir/err" ||
  fail "no reason given: $(cat "$dir/err")"
exec 8>&-

# A korvanectl command holds it: a mouse that answers late keeps it busy.
"$mouse" ctl --socket "$socket" delay 400 >/dev/null
"$ctl" --hid "sim:$socket" rate 250 >/dev/null 2>&1 &
holder=$!
within 10 grep -qs "korvanectl rate" "$note" || fail "the holder left no note"
ctl status 2>"$dir/err" >/dev/null || fail "status did not get the mouse after the other command: $(cat "$dir/err")"
grep -qx "korvanectl: waiting for the mouse, held by korvanectl rate (process $holder), for up to 10 s" "$dir/err" ||
  fail "the holder is not named: $(cat "$dir/err")"
wait "$holder" || fail "the holding command failed"
holder=
echo "a held mouse is reported, not waited for without end"
