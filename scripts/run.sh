#!/usr/bin/env bash
# Installs what the project needs, builds it and starts the product.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
exec build/bin/korvanectl catalog "$@"
