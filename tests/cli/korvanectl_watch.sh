#!/bin/sh
# korvanectl watch does not lock the other commands out: with a watch
# running, setting commands (two at once among them) end with their change
# on the mouse, and the watch is still there afterwards and follows the
# mouse again. timeout turns a hang into a failure; nothing asserts speed.
#   korvanectl_watch.sh <korvane-virtual-mouse> <korvanectl>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
export LANG=en_US.UTF-8
state=$dir/state.json
serve_virtual_mouse --preset wired --model korvane_slate --state "$state"
watcher=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; [ -n "$watcher" ] && kill -KILL "$watcher" 2>/dev/null; rm -rf "$dir"' EXIT

ctl() { timeout 20 "$ctl" --hid "sim:$socket" "$@"; }
printed() { grep -q "$1" "$dir/watch.txt"; }
# Watch stepped aside at least once and is back after each time.
back() {
  pauses=$(grep -c '^pause' "$dir/watch.txt" || true)
  [ "$pauses" -gt 0 ] && [ "$(grep -c '^resume  mouse_reachable=true' "$dir/watch.txt" || true)" = "$pauses" ]
}

ctl status >/dev/null 2>&1 || fail "the first start failed"
"$ctl" --hid "sim:$socket" watch --seconds 50 >"$dir/watch.txt" 2>"$dir/watch.err" &
watcher=$!
within 10 printed '^arrival' || fail "watch did not connect: $(cat "$dir/watch.err")"

out=$(ctl dpi set 2 1600 2>"$dir/err") || fail "dpi set exited $? while watch ran: $(cat "$dir/err")"
[ "$out" = "DPI level 2: 1600 DPI" ] || fail "dpi set said: $out"
[ ! -s "$dir/err" ] || fail "dpi set said on standard error: $(cat "$dir/err")"
[ "$(ctl show --json | jq '.dpi.levels[1].dpi')" = 1600 ] || fail "the level was not stored"

ctl rate 250 >/dev/null 2>"$dir/err1" &
first=$!
ctl rate 500 >/dev/null 2>"$dir/err2" &
second=$!
wait "$first" || fail "the first of two commands exited $?: $(cat "$dir/err1")"
wait "$second" || fail "the second of two commands exited $?: $(cat "$dir/err2")"
rate=$(jq .settings.report_rate "$state")
[ "$rate" = 2 ] || [ "$rate" = 4 ] || fail "neither rate reached the mouse: $rate"

kill -0 "$watcher" 2>/dev/null || fail "watch ended: $(cat "$dir/watch.err")"
within 10 back || fail "watch did not come back: $(cat "$dir/watch.txt")"
"$mouse" ctl --socket "$socket" dpi-button 3 1 >/dev/null
within 10 printed '^dpi  count=3  index=1' || fail "watch no longer follows the mouse: $(cat "$dir/watch.txt")"
grep -q '^arrival' "$dir/watch.txt" && [ "$(grep -c '^arrival' "$dir/watch.txt")" = 1 ] ||
  fail "watch told its own reconnections as arrivals: $(cat "$dir/watch.txt")"
kill "$watcher"
within 10 eval '! kill -0 "$watcher" 2>/dev/null' || fail "watch did not end"
watcher=
echo "watch steps aside for the other commands"
