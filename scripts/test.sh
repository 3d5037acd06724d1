#!/usr/bin/env bash
# Installs what the project needs, builds twice with
# warnings as errors (a normal build and an AddressSanitizer +
# UndefinedBehaviorSanitizer build) and runs every test in both.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

cmake --preset default -DKORVANE_WERROR=ON
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

cmake --preset sanitizers -DKORVANE_WERROR=ON
cmake --build --preset sanitizers -j "$jobs"
ctest --preset sanitizers -j "$jobs"
