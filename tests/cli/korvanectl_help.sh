#!/bin/sh
# korvanectl --help lists the commands by group with the exit codes, and
# every command, nested ones too, shows at least one example of itself.
#   korvanectl_help.sh <korvanectl>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
ctl=$1

help=$("$ctl" --help)
for heading in Device: Settings: 'Profiles and macros:' 'Catalog and settings database:' Updates: 'Exit status:'; do
  echo "$help" | grep -qx "$heading" || fail "--help has no '$heading'"
done

# The commands a help text lists: the lines of its group sections.
commands_in() {
  awk '/^(Device|Settings|Profiles and macros|Catalog and settings database|Updates|Commands):$/ { listed = 1; next }
       /^$/ { listed = 0 }
       listed && /^  [a-z]/ { print $1 }'
}

checked=0
# Checks each command below the one given (words of its path), then theirs.
walk() {
  for command in $("$ctl" "$@" --help | commands_in); do
    text=$("$ctl" "$@" "$command" --help) || fail "korvanectl $* $command --help exited $?"
    echo "$text" | awk '/^Examples:$/ { listed = 1; next } /^$/ { listed = 0 } listed' |
      grep -q "^  korvanectl $* *$command" || fail "korvanectl $* $command --help shows no example of itself"
    echo "$text" | grep -qx 'Exit status:' || fail "korvanectl $* $command --help has no exit codes"
    checked=$((checked + 1))
    walk "$@" "$command"
  done
}
walk
[ "$checked" -gt 40 ] || fail "only $checked commands were found"
echo "$checked commands, each with an example"
