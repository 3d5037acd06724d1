#!/usr/bin/env bash
# Builds the benchmarks in an optimised build folder (the "benchmarks"
# preset) and runs every one of them. Pass a Google Benchmark filter to run
# only some, e.g.
#   ./scripts/bench.sh --benchmark_filter=QueueToWire
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset benchmarks >/dev/null
cmake --build --preset benchmarks -j "$(nproc)"
for bench in build-bench/bin/korvane_*_bench; do
  echo "== $(basename "$bench")"
  "$bench" "$@"
done
