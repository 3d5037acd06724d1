#!/bin/sh
# korvanectl's profile files against a served virtual mouse: an exported
# profile imported again is named after the file and reaches the mouse; a
# file that cannot be read is named with the reason and changes nothing.
#   korvanectl_profile_files.sh <korvane-virtual-mouse> <korvanectl>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
export LANG=en_US.UTF-8
state=$dir/state.json
serve_virtual_mouse --preset wired --model korvane_slate --state "$state"

ctl() { "$ctl" --hid "sim:$socket" "$@"; }

ctl button 4 key Ctrl+B >/dev/null || fail "the key was not assigned"
ctl profile export "$dir/gaming.xml" || fail "export failed"
grep -q '<profileinfo name="Profile' "$dir/gaming.xml" || fail "the export lacks the profile: $(cat "$dir/gaming.xml")"
ctl button 4 reset >/dev/null || fail "the key was not reset"
ctl profile import "$dir/gaming.xml" || fail "import failed"
ctl profile --json | jq -e '.[0].name == "gaming"' >/dev/null || fail "not renamed: $(ctl profile --json)"
ctl button --json | jq -e '.[] | select(.number == 4) | .description == "Ctrl + B"' >/dev/null ||
  fail "the assignment did not come back: $(ctl button --json)"

printf '<macro/>' >"$dir/wrong.xml"
for bad in "$dir/wrong.xml" "$dir/missing.xml"; do
  if message=$(ctl profile import "$bad" 2>&1); then fail "importing $bad was accepted"; fi
  case $message in *"$bad"*) ;; *) fail "the error does not name $bad: $message" ;; esac
done
if ctl profile export "$dir/no-folder/p.xml" 2>/dev/null; then fail "a failed export was reported as success"; fi
ctl profile --json | jq -e '.[0].name == "gaming"' >/dev/null || fail "a refused import changed the profile"
echo "korvanectl profile files: export and import reached the store and the mouse"
