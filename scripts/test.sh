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

cmake --preset default -DKORVANE_WERROR=ON
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

cmake --preset sanitizers -DKORVANE_WERROR=ON
cmake --build --preset sanitizers -j "$jobs"
ctest --preset sanitizers -j "$jobs"

cmake --preset tsan -DKORVANE_WERROR=ON
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs"

bash scripts/fuzz.sh all 20
