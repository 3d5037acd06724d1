#!/usr/bin/env bash
# Installs what the project needs, checks the formatting, builds three
# times with warnings as errors (a normal build, an AddressSanitizer +
# UndefinedBehaviorSanitizer build and a ThreadSanitizer build; the last two
# without the desktop application) and runs every test in each, then runs
# every fuzz target for 20 s.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/format.sh --check
jobs=$(nproc)
# The shipped resources name the product's update servers; the programs under
# test send such requests to a closed loopback port, so a check fails at once
# and never leaves the machine. The tests' own servers on loopback are reached
# directly.
export ALL_PROXY=http://127.0.0.1:9 NO_PROXY=127.0.0.1,localhost

# Each stage says how long it took, so the run's time can be read off its log.
stage_started=0
stage_done() {
  echo "test.sh: $1 took $((SECONDS - stage_started)) s"
  stage_started=$SECONDS
}
stage_done "setup and format check"

cmake --preset default -DKORVANE_WERROR=ON
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"
stage_done "normal build and tests"

cmake --preset sanitizers -DKORVANE_WERROR=ON
cmake --build --preset sanitizers -j "$jobs"
ctest --preset sanitizers -j "$jobs"
stage_done "AddressSanitizer and UBSan build and tests"

cmake --preset tsan -DKORVANE_WERROR=ON
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs"
stage_done "ThreadSanitizer build and tests"

bash scripts/fuzz.sh all 20
stage_done "fuzz targets, 20 s each"
