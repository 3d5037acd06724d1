#!/usr/bin/env bash
# Builds the benchmarks in an optimised build folder and runs every one of
# them. Pass a Google Benchmark filter to run only some, e.g.
#   ./scripts/bench.sh --benchmark_filter=QueueToWire
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -G Ninja -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_GUI=OFF >/dev/null
cmake --build build-bench -j "$(nproc)"
for bench in build-bench/bin/korvane_*_bench; do
  echo "== $(basename "$bench")"
  "$bench" "$@"
done
