#!/bin/sh
# Runs "korvanectl devices --json" against a served virtual mouse (a wired
# mouse and a receiver), with the report log on.
#   korvanectl_devices.sh <korvane-virtual-mouse> <korvanectl>
set -eu
mouse=$1
ctl=$2
. "$(dirname "$0")/../support/serve_virtual_mouse.sh" "$mouse"
serve_virtual_mouse --preset both --battery 90 40
KORVANE_LOG=debug "$ctl" --hid "sim:$socket" devices --json
