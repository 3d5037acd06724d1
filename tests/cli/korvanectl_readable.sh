#!/bin/sh
# status and show in the user's words, and each setting command's one line
# (with --json one object) saying what it changed, taken from what was
# stored: a DPI value as the sensor rounded it, not as typed. The --json
# output of status and show keeps its keys, and show then tells each change
# the same way.
#   korvanectl_readable.sh <korvane-virtual-mouse> <korvanectl>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
serve_virtual_mouse --preset receiver --battery 70 30
export LANG=en_US.UTF-8

ctl() { "$ctl" --hid "sim:$socket" "$@"; }

ctl status >/dev/null 2>&1 || fail "the first start failed"

status=$(ctl status)
for line in 'Korvane Arc 8K: Connected (2.4 GHz receiver)' '  connection: *wireless receiver, mouse linked' \
  '  battery: *70 %' '  report rate: *1000 Hz (this mouse offers up to 8000 Hz)' '  receiver firmware: *105'; do
  echo "$status" | grep -qx "$line" || fail "status lacks '$line': $status"
done
ctl status --json | jq -e 'keys_unsorted == ["status_text_id", "status_text", "mouse_linked", "notify_polling",
  "device_type", "model", "connection_mode", "battery_a", "battery_b", "sensor_id", "rate_capability"]' >/dev/null ||
  fail "status --json keys: $(ctl status --json)"
ctl show --json | jq -e 'keys_unsorted == ["profile", "name", "dpi", "lighting", "config"]' >/dev/null ||
  fail "show --json keys changed"

# arguments | the line it prints | what its --json object holds
rows=$(
  cat <<'ROWS'
rate 500|report rate: 500 Hz|.changed == "report_rate" and .hertz == 500
dpi set 2 1234|DPI level 2: 1200 DPI|.changed == "dpi_level" and .level == 2 and .dpi == 1200
dpi colour 2 '#00FF80'|DPI level 2 colour: #00FF80|.changed == "dpi_colour" and .colour == "00FF80"
sensor --angle-snapping|sensor options: Angle snapping|.changed == "sensor_options" and .angle_snapping and (.ripple_control | not)
sleep 10|sleep after: 10 min|.changed == "sleep" and .minutes == 10
light 3 --colour 0080FF|lighting: Always on, brightness 4, colour #0080FF|.changed == "lighting" and .mode == 3 and .colours[0] == "0080FF"
button 5 media mute|button 5 (Forward): Mute|.changed == "button" and .number == 5 and .type == 3 and .value == 8
ROWS
)
echo "$rows" | while IFS='|' read -r arguments said holds; do
  eval "set -- $arguments"
  out=$(ctl "$@") || fail "korvanectl $arguments exited $?"
  [ "$out" = "$said" ] || fail "korvanectl $arguments said '$out', not '$said'"
  out=$(ctl "$@" --json) || fail "korvanectl $arguments --json exited $?"
  [ "$(echo "$out" | wc -l)" = 1 ] && echo "$out" | jq -e "$holds" >/dev/null ||
    fail "korvanectl $arguments --json: $out"
done

# A refused value says nothing on standard output.
if out=$(ctl rate 300 2>/dev/null); then fail "rate 300 was accepted"; fi
[ -z "$out" ] || fail "a refused command printed: $out"

show=$(ctl show)
for line in '  report rate: *500 Hz' '    [ *] 2 *1200 DPI  #00FF80' '  sensor options: *Angle snapping' \
  '  sleep after: *10 min' '    \* 3  Always on, brightness 4, colour #0080FF'; do
  echo "$show" | grep -qx "$line" || fail "show lacks '$line': $show"
done
echo "status, show and the setting commands speak the user's terms"
