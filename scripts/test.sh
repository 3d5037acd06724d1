#!/usr/bin/env bash
# Installs what the project needs, builds it twice (a normal build and an
# AddressSanitizer + UndefinedBehaviorSanitizer build) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -G Ninja -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON \
  -DKORVANE_BUILD_GUI=OFF -DKORVANE_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
