#!/usr/bin/env bash
# Installs what the project needs, builds it and starts the desktop
# application against a freshly started virtual mouse (a receiver with its
# mouse linked). Extra arguments go to korvane.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"
KORVANE_NO_BUILD=1 exec scripts/run-desktop.sh "$@"
