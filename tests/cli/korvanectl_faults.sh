#!/bin/sh
# korvanectl against a served virtual mouse (a receiver with its mouse) that
# fails it. Without a desktop program: a mouse out of reach, and the server
# killed in the middle of a write and started again; each command ends
# non-zero saying that the change is kept, the settings database holds what
# it held plus the change, and the next command brings the change to the
# mouse. With the desktop program: while it holds the mouse, korvanectl is
# refused at once and changes nothing; started while a command holds the
# mouse, the desktop says that the mouse is in use.
#   korvanectl_faults.sh <korvane-virtual-mouse> <korvanectl> [<korvane>]
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
desktop=${3:-}
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
export LANG=en_US.UTF-8 QT_QPA_PLATFORM=offscreen ALL_PROXY=http://127.0.0.1:9 NO_PROXY=127.0.0.1,localhost
state=$dir/state.json
settings="$XDG_CONFIG_HOME/Korvane Center/settings.ini"
serve_virtual_mouse --preset receiver --state "$state"
others=
# Processes besides the server that must not outlive the test.
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; [ -n "$others" ] && kill -KILL $others 2>/dev/null; rm -rf "$dir"' EXIT

ctl() { "$ctl" --hid "sim:$socket" "$@"; }
control() { "$mouse" ctl --socket "$socket" "$@" >/dev/null; }
served() { "$mouse" ctl --socket "$socket" state >/dev/null 2>&1; }
ended() { ! kill -0 "$1" 2>/dev/null; }
log_length() { jq '.log | length' "$state"; }
# Whether the mouse received a report-rate write after the first $1 commands.
rate_written_after() { [ "$(jq --argjson from "$1" '[.log[$from:][] | select(.cmd == "0x02")] | length' "$state")" -gt 0 ]; }
# Whether the mouse received more than $1 commands, the last of them the
# receiver's version, which ends a connection's read-back.
read_back_after() { [ "$(log_length)" -gt "$1" ] && [ "$(jq -r '.log[-1].cmd' "$state")" = 0x20 ]; }
grew_after() { [ "$(log_length)" -gt "$1" ]; }
rate_on_mouse() { jq .settings.report_rate "$state"; }
pending() { grep -qx 'PendingWrite201=1' "$settings"; }
database() { find "$XDG_DATA_HOME" -name '*.db' | head -n 1; }
stored_rate() { sqlite3 "$(database)" "SELECT value FROM t_configdata WHERE profile = 1 AND key = 'report_rate'"; }
# The database without the report-rate rows.
other_rows() { sqlite3 "$(database)" .dump | grep -v "'report_rate"; }

ctl status >/dev/null || fail "the first command failed"

if [ -z "$desktop" ]; then
  # The mouse out of reach: its receiver never answers for it.
  rate=$(rate_on_mouse)
  rows=$(other_rows)
  control unlink
  if ctl rate 500 2>"$dir/err"; then fail "a change the mouse never answered was reported written"; fi
  grep -q 'did not take the change.*will be sent when the mouse is back' "$dir/err" || fail "message: $(cat "$dir/err")"
  [ "$(stored_rate)" = 2 ] || fail "the change was not kept: $(stored_rate)"
  [ "$(other_rows)" = "$rows" ] || fail "other settings changed"
  pending || fail "the change is not marked pending"
  [ "$(rate_on_mouse)" = "$rate" ] || fail "the mouse changed"
  control link
  ctl status >/dev/null || fail "status after the link"
  [ "$(rate_on_mouse)" = 2 ] || fail "the kept change did not reach the mouse: $(rate_on_mouse)"
  if pending; then fail "the change is still marked pending"; fi

  # The server killed while it holds the answer to a write, then started again.
  control delay 300
  from=$(log_length)
  rows=$(other_rows)
  "$ctl" --hid "sim:$socket" rate 250 2>"$dir/err" &
  command=$!
  others=$command
  within 10 rate_written_after "$from" || fail "the write never reached the mouse"
  kill -KILL "$server"
  within 5 ended "$command" || fail "korvanectl still waits 5 s after the server died"
  if wait "$command"; then fail "a write the server never answered was reported written"; fi
  others=
  grep -q 'did not take the change' "$dir/err" || fail "message: $(cat "$dir/err")"
  [ "$(stored_rate)" = 4 ] || fail "the change was not kept: $(stored_rate)"
  [ "$(other_rows)" = "$rows" ] || fail "other settings changed"
  [ "$(sqlite3 "$(database)" 'PRAGMA integrity_check')" = ok ] || fail "the database is damaged"
  pending || fail "the change is not marked pending"
  # The socket the killed server left behind is taken over.
  serve_virtual_mouse --preset receiver --state "$state"
  within 5 served || fail "the server did not start again"
  ctl status >/dev/null || fail "status after the restart"
  [ "$(rate_on_mouse)" = 4 ] || fail "the kept change did not reach the new server's mouse: $(rate_on_mouse)"
  if pending; then fail "the change is still marked pending"; fi
  echo "korvanectl faults: every failed write reported and kept, then sent"
  exit 0
fi

# The desktop holds the mouse: korvanectl is refused at once.
from=$(log_length)
"$desktop" --hid "sim:$socket" 2>"$dir/desktop.err" &
running=$!
others=$running
within 15 read_back_after "$from" || fail "the desktop did not connect: $(cat "$dir/desktop.err")"
rate=$(rate_on_mouse)
stored=$(stored_rate)
"$ctl" --hid "sim:$socket" rate 125 2>"$dir/err" &
command=$!
others="$running $command"
# The device lock is waited for 10 s; a refusal comes before.
within 5 ended "$command" || fail "korvanectl waited for the desktop"
if wait "$command"; then fail "korvanectl ran while the desktop held the mouse"; fi
grep -q 'desktop application is running' "$dir/err" || fail "message: $(cat "$dir/err")"
[ "$(stored_rate)" = "$stored" ] || fail "the refused command stored its change"
[ "$(rate_on_mouse)" = "$rate" ] || fail "the refused command reached the mouse"
kill "$running"
within 10 ended "$running" || fail "the desktop did not end"
others=
ctl rate 125 || fail "korvanectl after the desktop ended"
[ "$(rate_on_mouse)" = 8 ] || fail "the change did not reach the mouse"

# A command holds the mouse: the desktop waits for it, then says so.
from=$(log_length)
"$ctl" --hid "sim:$socket" watch --seconds 40 >/dev/null &
watcher=$!
others=$watcher
# It talks to the mouse only once it holds it.
within 5 grew_after "$from" || fail "watch did not start"
"$desktop" --hid "sim:$socket" 2>"$dir/desktop.err" &
running=$!
others="$watcher $running"
within 5 grep -q 'another program is using the mouse' "$dir/desktop.err" || fail "no word that the desktop waits"
within 15 grep -q 'still held by another program' "$dir/desktop.err" ||
  fail "the desktop did not give up: $(cat "$dir/desktop.err")"
echo "the desktop and korvanectl never reach the mouse at once"
