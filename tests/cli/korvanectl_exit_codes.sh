#!/bin/sh
# korvanectl's exit codes, one command line per row: 0 success, 1 usage,
# 2 no mouse reachable, 3 the mouse refused or did not answer, 4 a file or
# database problem. A failure is one line "korvanectl: ..." on standard
# error; a success prints nothing there.
#   korvanectl_exit_codes.sh <korvane-virtual-mouse> <korvanectl>
set -eu
. "$(dirname "$0")/../support/shell_checks.sh"
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
serve_virtual_mouse --preset wired --model korvane_slate

# A socket left behind by a virtual mouse that was killed: it exists, and
# nothing answers on it.
"$mouse" serve --socket "$dir/dead.sock" --preset wired >/dev/null &
dead=$!
i=0
while [ ! -S "$dir/dead.sock" ] && [ "$i" -lt 100 ]; do
  sleep 0.05
  i=$((i + 1))
done
kill -KILL "$dead"
wait "$dead" 2>/dev/null || true
[ -S "$dir/dead.sock" ] || fail "no socket left behind"

printf 'not a macro file' >"$dir/bad-macro.xml"
# Twelve key events make a macro stream of several packets, which the
# unplug-mid-write fault cuts short.
ab="down:A up:A down:B up:B down:C up:C down:D up:D down:E up:E down:F up:F"

# code | virtual mouse ctl command run first (- for none) | korvanectl arguments
rows=$(
  cat <<ROWS
0|-|status
0|-|dpi set 2 1600
0|-|profile 2
0|-|macro create
0|-|macro events 1 $ab
1|-|dpi set 2 abc
1|-|dpi set 2 ''
1|-|dpi set 2 99999
1|-|profile 0
1|-|rate 123
1|-|status --no-such-option
1|-|dpi
1|-|firmware upgrade
1|-|select korvane_nosuch
2|-|select korvane_arc_8k
1|-|--hid nosuch:x status
2|-|--hid sim:$dir/no.sock rate 1000
2|-|--hid sim:$dir/dead.sock rate 1000
2|unplug|rate 1000
0|plug|rate 1000
3|unplug-mid-write|button 4 macro 1
0|plug|button 4 macro 1
4|-|profile import $dir/nonexistent.xml
4|-|macro import $dir/bad-macro.xml
4|-|--resources $dir/nonexistent catalog
4|-|--resources $dir/nonexistent rate 1000
ROWS
)

# The first start stores the connected model and says so; from then on a
# success prints nothing on standard error.
"$ctl" --hid "sim:$socket" status >/dev/null 2>&1 || fail "the first start failed"
echo "$rows" | while IFS='|' read -r expected setup arguments; do
  [ "$setup" = - ] || "$mouse" ctl --socket "$socket" $setup >/dev/null
  eval "set -- $arguments"
  case $1 in --hid) ;; *) set -- --hid "sim:$socket" "$@" ;; esac
  code=0
  "$ctl" "$@" >/dev/null 2>"$dir/err" || code=$?
  [ "$code" = "$expected" ] || fail "korvanectl $arguments: exit $code, not $expected: $(cat "$dir/err")"
  if [ "$code" = 0 ]; then
    [ ! -s "$dir/err" ] || fail "korvanectl $arguments succeeded with: $(cat "$dir/err")"
  elif [ "$(wc -l <"$dir/err")" != 1 ] || ! grep -q '^korvanectl: ' "$dir/err"; then
    fail "korvanectl $arguments: not one line \"korvanectl: ...\": $(cat "$dir/err")"
  fi
done
"$ctl" --help | grep -q '^  4  a file' || fail "--help does not list the exit codes"
echo "every failure exits with its code and one line"
