#!/bin/sh
# Text that is not UTF-8 never breaks korvanectl's JSON: a profile name with
# a stray byte is refused when typed, and one already stored, a model name
# and a language text with a stray byte are written as valid JSON (the byte
# replaced) by every --json command.
#   korvanectl_json.sh <korvane-virtual-mouse> <korvanectl> <data folder>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
export LANG=en_US.UTF-8
resources=$dir/resources
cp -R "$3" "$resources"
sed -i 's/name="Korvane Slate"/name="Korvane Slate \xff"/' "$resources/config.xml"
sed -i 's/^51=Connected (wired)$/51=Connected \xfe(wired)/' "$resources/language/1033.lan"
serve_virtual_mouse --preset wired --model korvane_slate
db="$XDG_DATA_HOME/Korvane Center Files/db/korvane_slate_data1.db"

ctl() { "$ctl" --resources "$resources" --hid "sim:$socket" "$@"; }

if ctl profile rename 2 "$(printf 'Aim\377')" 2>"$dir/err"; then fail "a name that is not UTF-8 was accepted"; fi
[ -s "$dir/err" ] || fail "the refused name was not explained"
sqlite3 "$db" "UPDATE t_profile_data SET name = CAST(X'41696DFF' AS TEXT) WHERE profile = 2"

for command in "profile --json" "show --json" "status --json" "catalog --json" "db --model korvane_slate --json"; do
  # shellcheck disable=SC2086
  ctl $command >"$dir/out.json" || fail "korvanectl $command exited $?"
  jq -e . "$dir/out.json" >/dev/null || fail "korvanectl $command wrote invalid JSON: $(cat "$dir/out.json")"
done
ctl status --json | jq -e '.model == "Korvane Slate \ufffd" and .status_text == "Connected \ufffd(wired)"' >/dev/null ||
  fail "the stray bytes are not replaced: $(ctl status --json)"
ctl profile --json | jq -e '.[1].name == "Aim\ufffd"' >/dev/null || fail "the stored name: $(ctl profile --json)"
echo "every --json output is valid"
