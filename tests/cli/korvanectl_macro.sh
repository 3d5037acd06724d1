#!/bin/sh
# korvanectl's macro commands against a served virtual mouse: a macro made,
# filled and set from the command line reaches the mouse when a button is
# given it; refused input changes nothing.
#   korvanectl_macro.sh <korvane-virtual-mouse> <korvanectl>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
export LANG=en_US.UTF-8
state=$dir/state.json
serve_virtual_mouse --preset wired --model korvane_slate --state "$state"

ctl() { "$ctl" --hid "sim:$socket" "$@"; }

[ "$(ctl macro create)" = 1 ] || fail "the first macro is not id 1"
[ "$(ctl macro create 'Spray ✦')" = 2 ] || fail "the named macro is not id 2"
ctl macro events 1 down:Ctrl down:A wait:30 up:A up:Ctrl click:left >/dev/null || fail "events refused"
ctl macro options 1 --delay fixed:25 --play times:300 || fail "options refused"
ctl macro show 1 --json | jq -e '.name == "Custom 1" and .play_times == 255 and .delay_time == 25 and
  (.events | length) == 8 and .events[0].desc == "↓  Ctrl"' >/dev/null || fail "show: $(ctl macro show 1 --json)"
ctl macro --json | jq -e '.[1].name == "Spray ✦" and .[0].records == 6' >/dev/null || fail "list: $(ctl macro --json)"

for refused in "macro rename 1 ' '" "macro events 1 down:Bogus" "macro options 1 --delay soon" "macro show 9"; do
  if eval "\"\$ctl\" --hid \"sim:\$socket\" $refused" 2>/dev/null; then fail "korvanectl $refused was accepted"; fi
done
ctl macro show 1 --json | jq -e '(.events | length) == 8' >/dev/null || fail "a refused command changed the macro"

ctl button 4 macro 1 || fail "the macro could not be assigned"
tr -d ' \n' <"$state" | grep -q '"macros":{"3":"0320010001301E0004B0010004A0010001100A000190010001"}' ||
  fail "the macro stream did not reach the mouse: $(cat "$state")"
ctl macro delete 2
[ "$(ctl macro --json | jq length)" = 1 ] || fail "macro 2 was not deleted"

# Files: one macro (layout A) and all of them (layout B) come back as new
# macros; a file that cannot be read is named with the reason.
ctl macro export 1 "$dir/one.xml" || fail "export 1 failed"
ctl macro export --all "$dir/all.xml" || fail "export --all failed"
[ "$(ctl macro import "$dir/one.xml")" = 3 ] || fail "layout A did not import as macro 3"
[ "$(ctl macro import "$dir/all.xml")" = 4 ] || fail "layout B did not import as macro 4"
ctl macro show 4 --json | jq -e '.name == "Custom 1" and (.events | length) == 8' >/dev/null ||
  fail "the imported macro differs: $(ctl macro show 4 --json)"
printf '<profile/>' >"$dir/wrong.xml"
for bad in "$dir/wrong.xml" "$dir/missing.xml" "$dir"; do
  if message=$(ctl macro import "$bad" 2>&1); then fail "importing $bad was accepted"; fi
  case $message in *"$bad"*) ;; *) fail "the error does not name $bad: $message" ;; esac
done
if ctl macro export 1 "$dir/no-folder/x.xml" 2>/dev/null; then fail "a failed export was reported as success"; fi
[ "$(ctl macro --json | jq length)" = 3 ] || fail "a refused import stored something"
echo "korvanectl macro: every command reached the store and the mouse"
