#!/bin/sh
# Which mouse the commands use: with no model stored, the one connected;
# with the stored model gone and another connected, that one, the change
# reaching it; each time one line on standard error says which, and the
# choice is kept. select names a model by device type, device_attr or name;
# one the catalog lacks is a usage error naming the word and the models.
#   korvanectl_model_choice.sh <korvane-virtual-mouse> <korvanectl>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
export LANG=en_US.UTF-8
state=$dir/state.json
settings="$XDG_CONFIG_HOME/Korvane Center/settings.ini"
serve_virtual_mouse --preset wired --model korvane_slate

ctl() { "$ctl" --hid "sim:$socket" "$@"; }
said() { [ "$(cat "$dir/err")" = "korvanectl: $1" ] || fail "standard error: '$(cat "$dir/err")', not '$1'"; }
quiet() { [ ! -s "$dir/err" ] || fail "standard error: $(cat "$dir/err")"; }

ctl status 2>"$dir/err" >/dev/null || fail "the first start failed"
said "using Korvane Slate (no model was chosen before)"
ctl status 2>"$dir/err" >/dev/null || fail "the second start failed"
quiet

for word in 999 korvane_nosuch ''; do
  code=0
  ctl select "$word" >/dev/null 2>"$dir/err" || code=$?
  [ "$code" = 1 ] || fail "select '$word' exited $code, not 1"
  [ "$(wc -l <"$dir/err")" = 1 ] && grep -q "no model \"$word\"; the models are .*203 Korvane Slate" "$dir/err" ||
    fail "select '$word': $(cat "$dir/err")"
done
for word in 203 korvane_slate 'korvane slate'; do
  ctl select "$word" | grep -qx 'Korvane Slate (203) selected: Connected (wired)' || fail "select '$word'"
done
code=0
ctl select korvane_arc_8k >/dev/null 2>&1 || code=$?
[ "$code" = 2 ] || fail "a model that is not connected was selected (exit $code)"

# The stored model's mouse goes; another model's is connected.
kill "$server"
wait "$server" 2>/dev/null || true
serve_virtual_mouse --preset receiver --state "$state"
# An image file is made for one model: it does not go into the other one.
printf 'not for this mouse' >"$dir/image.bin"
code=0
ctl firmware upgrade --yes --file "$dir/image.bin" >/dev/null 2>"$dir/err" || code=$?
[ "$code" = 2 ] && grep -q 'not flashed into the Korvane Arc 8K' "$dir/err" ||
  fail "an image was flashed into another model (exit $code): $(cat "$dir/err")"
grep -qx 'DeviceType=203' "$settings" || fail "the refused upgrade changed the stored model"
[ "$(jq .firmware.started "$state")" = false ] || fail "the upgrade started"
ctl rate 500 2>"$dir/err" >/dev/null || fail "rate 500 with the other model: $(cat "$dir/err")"
said "using Korvane Arc 8K (the stored model Korvane Slate is not connected)"
[ "$(jq .settings.report_rate "$state")" = 2 ] || fail "the change did not reach the connected mouse"
grep -qx 'DeviceType=201' "$settings" || fail "the model in use was not kept"
ctl status 2>"$dir/err" | grep -q '^Korvane Arc 8K: ' || fail "status does not name the mouse in use"
quiet
echo "the commands use the mouse that is connected and say so"
