#!/bin/sh
# korvanectl's setting commands against a settings database that cannot be
# used: each command exits non-zero and no configuration command (0x02 to
# 0x07) reaches the mouse, so a failed read never becomes zeros on it. A
# database that only lacks a table is completed on opening and works.
#   korvanectl_broken_store.sh <korvane-virtual-mouse> <korvanectl> <data folder>
set -eu

# File permissions do not bind root, so as root the test runs itself again as
# nobody, from copies nobody can read.
if [ "$(id -u)" -eq 0 ]; then
  copy=$(mktemp -d)
  mkdir -p "$copy/tests/performance" "$copy/tests/support" "$copy/bin"
  cp "$0" "$copy/tests/performance/"
  cp "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$copy/tests/support/"
  cp "$1" "$2" "$copy/bin/"
  mkdir -p "$copy/share"
  cp -RL "$3" "$copy/share/korvane"
  chown -R 65534:65534 "$copy"
  status=0
  setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$copy" \
    sh "$copy/tests/performance/$(basename "$0")" "$copy/bin/$(basename "$1")" "$copy/bin/$(basename "$2")" ||
    status=$?
  rm -rf "$copy"
  exit "$status"
fi

mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
state=$dir/state.json
serve_virtual_mouse --preset wired --model korvane_slate --state "$state"
db_dir="$XDG_DATA_HOME/Korvane Center Files/db"
db="$db_dir/korvane_slate_data1.db"
locker=

fail() {
  echo "FAIL: $*"
  exit 1
}
ctl() { "$ctl" --hid "sim:$socket" "$@"; }
configuration_writes() { tr -d ' \n' <"$state" | grep -o '"cmd":"0x0[2-7]"' | wc -l; }

# The first start makes a complete database; each case starts from a copy.
ctl status >/dev/null || fail "the first start failed"
cp "$db" "$dir/good.db"

restore() {
  chmod 755 "$db_dir"
  rm -f "$db" "$db-wal" "$db-shm"
  cp "$dir/good.db" "$db"
}

# Runs every setting command against the damaged database.
expect_refused() {
  before=$(configuration_writes)
  for command in "rate 500" "dpi set 2 1600" "dpi colour 1 00FF80" "sleep 10"; do
    # shellcheck disable=SC2086
    code=0
    ctl $command 2>"$dir/err" || code=$?
    [ "$code" = 4 ] || fail "$1: korvanectl $command exited $code, not 4 (a database problem)"
    [ -s "$dir/err" ] || fail "$1: korvanectl $command said nothing"
  done
  [ "$(configuration_writes)" -eq "$before" ] || fail "$1: a configuration command reached the mouse"
}

restore
printf 'not a settings database, only text that fills the first page of the file' >"$db"
expect_refused "not a database"

restore
chmod 444 "$db"
expect_refused "read-only file"

restore
chmod 555 "$db_dir"
expect_refused "read-only folder"

restore
mkfifo "$dir/hold"
sqlite3 "$db" <"$dir/hold" >/dev/null &
locker=$!
exec 3>"$dir/hold"
echo "BEGIN EXCLUSIVE; SELECT 1;" >&3
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; [ -n "$locker" ] && kill "$locker" 2>/dev/null; rm -rf "$dir"' EXIT
sleep 0.3
expect_refused "exclusive lock held"
echo "COMMIT;" >&3
exec 3>&-
wait "$locker" || true
locker=

restore
sqlite3 "$db" "DROP TABLE t_configdata"
ctl dpi set 2 1600 || fail "a database without its configuration table is not completed"
tr -d ' \n' <"$state" | grep -q '"codes":\[[1-9]' || fail "the completed database sent a zero level"
echo "every broken store was refused and nothing reached the mouse"
