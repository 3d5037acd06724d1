#!/bin/sh
# Runs "korvanectl devices --json" against a served virtual mouse (a wired
# mouse and a receiver), with the report log on.
#   korvanectl_devices.sh <korvane-virtual-mouse> <korvanectl>
set -eu
mouse=$1
ctl=$2
dir=$(mktemp -d)
socket=$dir/mouse.sock
# Settings, databases and locks stay in the temp folder.
export XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data" XDG_RUNTIME_DIR="$dir"
"$mouse" serve --socket "$socket" --preset both --battery 90 40 &
server=$!
trap 'kill "$server"; rm -rf "$dir"' EXIT
i=0
while [ ! -S "$socket" ] && [ "$i" -lt 100 ]; do
  sleep 0.05
  i=$((i + 1))
done
KORVANE_LOG=debug "$ctl" --hid "sim:$socket" devices --json
