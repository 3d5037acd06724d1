#!/bin/sh
# Crash-safety of the settings: korvanectl killed with SIGKILL at random
# moments while it writes, 100 times. The database must stay intact, every
# macro a killed or finished command reported as made must be there under its
# name, and the settings must still be readable and writable afterwards.
#   korvanectl_kill.sh <korvane-virtual-mouse> <korvanectl>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
export LANG=en_US.UTF-8
serve_virtual_mouse --preset wired --model korvane_slate

ctl() { "$ctl" --hid "sim:$socket" "$@"; }

ctl status >/dev/null || fail "the first command failed"
reported=$dir/reported.txt
: >"$reported"
round=0
while [ "$round" -lt 100 ]; do
  round=$((round + 1))
  # A macro (a database write) and a setting (a database write, then the
  # mouse), each killed after 0 to 24 ms: a command takes about 20 ms.
  "$ctl" --hid "sim:$socket" macro create "round $round" >>"$reported" 2>/dev/null &
  maker=$!
  "$ctl" --hid "sim:$socket" response $((round % 21)) >/dev/null 2>&1 &
  setter=$!
  sleep "0.0$(printf %02d $((round * 7 % 25)))"
  kill -9 "$maker" "$setter" 2>/dev/null || true
  wait "$maker" "$setter" 2>/dev/null || true
done

database=$(find "$dir/data" -name '*.db' | head -n 1)
[ -n "$database" ] || fail "no settings database"
[ "$(sqlite3 "$database" 'PRAGMA integrity_check')" = ok ] || fail "the database is damaged"
while read -r id; do
  [ -n "$id" ] || continue
  name=$(sqlite3 "$database" "SELECT name FROM t_macro_data WHERE macro_id = $id")
  case $name in "round "*) ;; *) fail "macro $id was reported made but is not stored" ;; esac
done <"$reported"
ctl response 7 >/dev/null || fail "a setting could not be written after the kills"
ctl show --json | jq -e '.config.button_respondtime == "7"' >/dev/null || fail "the setting was not stored"
echo "korvanectl kill: $(grep -c . "$reported") reported macros stored, database intact after 100 kills"
