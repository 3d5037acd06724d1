#!/usr/bin/env bash
# Starts the desktop program against a freshly started virtual mouse (a
# receiver with its mouse linked), so it shows a working device at once.
# Builds into build/ unless KORVANE_NO_BUILD=1 says the build is there.
# The virtual mouse stops when the window closes. Extra arguments go to
# korvane. While it runs, plug, unplug and link from another terminal with
#   build/bin/korvane-virtual-mouse ctl --socket <socket shown below> ...
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${KORVANE_NO_BUILD:-0}" != 1 ]]; then
  cmake --preset default >/dev/null
  cmake --build --preset default -j "$(nproc)"
fi
for program in build/bin/korvane build/bin/korvane-virtual-mouse; do
  [[ -x "$program" ]] || { echo "missing $program: build first" >&2; exit 1; }
done

folder="$(mktemp -d "${TMPDIR:-/tmp}/korvane-desktop-XXXXXX")"
socket="$folder/korvane.sock"
mouse_pid=""
cleanup() {
  if [[ -n "$mouse_pid" ]]; then
    kill "$mouse_pid" 2>/dev/null || true
    wait "$mouse_pid" 2>/dev/null || true
  fi
  rm -rf "$folder"
}
trap cleanup EXIT INT TERM

build/bin/korvane-virtual-mouse serve --socket "$socket" --preset receiver &
mouse_pid=$!
for _ in $(seq 100); do
  [[ -S "$socket" ]] && break
  kill -0 "$mouse_pid" 2>/dev/null || { echo "the virtual mouse did not start" >&2; exit 1; }
  sleep 0.05
done
[[ -S "$socket" ]] || { echo "the virtual mouse did not open $socket" >&2; exit 1; }
echo "virtual mouse on $socket"

build/bin/korvane --hid "sim:$socket" "$@"
