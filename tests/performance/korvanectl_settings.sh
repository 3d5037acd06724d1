#!/bin/sh
# korvanectl's setting commands against a served virtual mouse of the model
# without lighting (rates up to 1000 Hz): each change reaches the mouse, each
# refused value exits non-zero with one line and changes nothing.
#   korvanectl_settings.sh <korvane-virtual-mouse> <korvanectl>
set -eu
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
state=$dir/state.json
serve_virtual_mouse --preset wired --model korvane_slate --state "$state"

fail() {
  echo "FAIL: $*"
  exit 1
}
ok() { "$ctl" --hid "sim:$socket" "$@" || fail "korvanectl $* exited $?"; }
refused() {
  if "$ctl" --hid "sim:$socket" "$@" 2>"$dir/err"; then fail "korvanectl $* was accepted"; fi
  [ "$(wc -l <"$dir/err")" -eq 1 ] || fail "korvanectl $* did not say why in one line"
}
# The state file after the last command, with blanks removed.
has() { tr -d ' \n' <"$state" | grep -q "$1" || fail "state lacks $1"; }
lacks() { if tr -d ' \n' <"$state" | grep -q "$1"; then fail "state still has $1"; fi; }

ok rate 250
has '"report_rate":4'
refused rate 2000
refused rate 300
has '"report_rate":4'

ok dpi count 3
ok dpi set 2 1250
ok dpi level 2
has '"count":3,"index":1,"codes":\[4,12,'
refused dpi level 4
refused dpi colour 1 000000
ok dpi colour 1 00FF80
has '"dpi_colours":\["00FF80"'

ok sensor --angle-snapping
ok liftoff 2
has '"liftoff":2,"sensor":\[1,0\]'
# The numbered names of earlier releases still work.
ok sensor --opt2
has '"liftoff":2,"sensor":\[1,0\]'
ok sleep 10
ok wake off
ok lightoff on
ok response 7
has '"power":{"sleep":60,"wake":0,"lightoff":1,"response":7}'
refused sleep 3
refused light 1
# The button table: entry 3 (button 4) as keyboard 0x70, Ctrl+Shift 0x03, A 0x04.
ok button 4 key Ctrl+Shift+A
has '"buttons":"100100100200100400700304'
"$ctl" --hid "sim:$socket" button --json | tr -d ' \n' | grep -q '"number":4,"name":"Back","type":2,"value":4,"value2":3' ||
  fail "button --json does not show the combination"
refused button 1 mouse right
refused button 4 key Ctrl+Bogus
ok button 4 reset
lacks '"buttons":"100100100200100400700304'
ok button 5 media mute
ok button reset-all
has '"buttons":"100100100200100400'
ok profile 3
"$ctl" --hid "sim:$socket" profile | grep -q '^\* 3 ' || fail "profile 3 is not marked active"

"$mouse" ctl --socket "$socket" unplug >/dev/null
refused rate 250
grep -q "no mouse is reachable" "$dir/err" || fail "an unplugged mouse is not reported"
echo "all settings reached the mouse"
