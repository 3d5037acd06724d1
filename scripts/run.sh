#!/usr/bin/env bash
# Installs what the project needs, builds it and starts the desktop
# application against a freshly started virtual mouse (a receiver with its
# mouse linked). Extra arguments go to korvane.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
KORVANE_NO_BUILD=1 exec scripts/run-desktop.sh "$@"
