#!/bin/sh
# korvanectl status, show and watch against a served virtual mouse (a
# receiver with its mouse linked), as the README shows them; watch must see
# unlink, link, unplug and plug made with korvane-virtual-mouse ctl.
#   korvanectl_session.sh <korvane-virtual-mouse> <korvanectl>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
serve_virtual_mouse --preset receiver --battery 70 30
export LANG=en_US.UTF-8

status=$("$ctl" --hid "sim:$socket" status --json)
echo "$status" | grep -q '"status_text_id": 52' || fail "status text 52: $status"
echo "$status" | grep -q '"model": "Korvane Arc 8K"' || fail "model: $status"
echo "$status" | grep -q '"battery_a": 70' || fail "battery: $status"

show=$("$ctl" --hid "sim:$socket" show --json)
echo "$show" | grep -q '"profile": 1' || fail "profile: $show"
echo "$show" | grep -q '"report_rate": "' || fail "config keys: $show"

# A DPI value that is not wholly a number in the sensor's range is refused
# and stores nothing.
before=$("$ctl" --hid "sim:$socket" show --json | jq -c '.config.dpi_group1_value')
for value in abc '' 99999 12x; do
  if "$ctl" --hid "sim:$socket" dpi set 2 "$value" 2>/dev/null; then fail "dpi set 2 '$value' was accepted"; fi
done
[ "$("$ctl" --hid "sim:$socket" show --json | jq -c '.config.dpi_group1_value')" = "$before" ] ||
  fail "a refused DPI value was stored"

if "$ctl" --hid "sim:$socket" profile 0 2>/dev/null; then fail "profile 0 was accepted"; fi
for hid in bogus "sim:$dir/no-socket"; do
  if message=$("$ctl" --hid "$hid" status 2>&1); then fail "--hid $hid was accepted"; fi
  case $message in *"${hid#sim:}"*) ;; *) fail "the error does not name $hid: $message" ;; esac
done

# Colours with or without '#'.
for colour in '#FF8800' FF8800; do
  "$ctl" --hid "sim:$socket" dpi colour 2 "$colour" >/dev/null || fail "dpi colour 2 '$colour' was refused"
done
[ "$("$ctl" --hid "sim:$socket" show --json | jq -r '.config.dpi_group1_rgb')" = 35071 ] || fail "the colour was not stored"
if "$ctl" --hid "sim:$socket" dpi colour 2 GG0000 2>/dev/null; then fail "dpi colour GG0000 was accepted"; fi

"$ctl" --hid "sim:$socket" watch --seconds 6 >"$dir/watch.txt" &
watcher=$!
sleep 1.5
for command in unlink link unplug plug; do
  "$mouse" ctl --socket "$socket" "$command" >/dev/null
  sleep 0.7
done
wait "$watcher"
cat "$dir/watch.txt"
for event in "^unlink" "^link" "^removal" "^arrival"; do
  grep -q "$event" "$dir/watch.txt" || fail "watch did not print $event"
done
echo "korvanectl session: 1 passed, 0 failed"
