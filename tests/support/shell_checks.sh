# Sourced by the command-line tests: fail ends the test with its message;
# within waits until the command given holds, for at most $1 seconds.
fail() {
  echo "FAILED: $1" >&2
  exit 1
}

within() {
  limit=$(($1 * 20))
  shift
  i=0
  until "$@"; do
    i=$((i + 1))
    [ "$i" -le "$limit" ] || return 1
    sleep 0.05
  done
}
