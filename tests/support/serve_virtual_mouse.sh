# Sourced by the command-line tests with the path of korvane-virtual-mouse:
# makes a temp folder (dir) for the settings, databases and locks, and
# defines serve_virtual_mouse, which serves a virtual mouse on $socket with
# the given arguments and waits for the socket. Everything is stopped and
# removed on exit.
dir=$(mktemp -d)
socket=$dir/mouse.sock
export XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data" XDG_RUNTIME_DIR="$dir"
virtual_mouse=$1
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$dir"' EXIT

serve_virtual_mouse() {
  "$virtual_mouse" serve --socket "$socket" "$@" >/dev/null &
  server=$!
  i=0
  while [ ! -S "$socket" ] && [ "$i" -lt 100 ]; do
    sleep 0.05
    i=$((i + 1))
  done
}
