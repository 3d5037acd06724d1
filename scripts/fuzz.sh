#!/usr/bin/env bash
# The libFuzzer targets.
#   scripts/fuzz.sh                  lists the targets
#   scripts/fuzz.sh TARGET SECONDS   builds what TARGET needs and runs it
#   scripts/fuzz.sh all SECONDS      runs every target in turn
# A run starts from the seed corpus in fuzz/corpus/<target>/ (kept in the
# repository) plus what earlier runs found (build-fuzz/corpus/<target>/) and
# fails on any crash, leak, sanitizer report or input slower than 10 s.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(macro_file profile_file language_file device_files device_reports socket_protocol update_package)

if [ $# -eq 0 ]; then
  printf '%s\n' "${targets[@]}"
  exit 0
fi
if [ $# -ne 2 ] || ! [[ $2 =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh [TARGET|all SECONDS]" >&2
  exit 1
fi

selected=("$1")
[ "$1" = all ] && selected=("${targets[@]}")
for target in "${selected[@]}"; do
  if [[ ! " ${targets[*]} " =~ " $target " ]]; then
    echo "scripts/fuzz.sh: no target $target (scripts/fuzz.sh lists them)" >&2
    exit 1
  fi
done

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${selected[@]/#/fuzz_}"

for target in "${selected[@]}"; do
  found=build-fuzz/corpus/$target
  mkdir -p "$found"
  echo "fuzzing $target for $2 s"
  log=build-fuzz/$target.log
  scratch=$(mktemp -d)
  status=0
  TMPDIR=$scratch ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "build-fuzz/bin/fuzz_$target" "$found" "fuzz/corpus/$target" -max_total_time="$2" -timeout=10 \
    -rss_limit_mb=2048 -max_len=65536 -artifact_prefix="build-fuzz/$target-" -print_final_stats=1 >"$log" 2>&1 ||
    status=$?
  rm -rf "$scratch"
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log" >&2
    echo "scripts/fuzz.sh: $target failed; the input is in build-fuzz/$target-*" >&2
    exit 1
  fi
done
