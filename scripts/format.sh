#!/usr/bin/env bash
# Formats every C++ source of the repository with its .clang-format.
#   scripts/format.sh          rewrite the files in place
#   scripts/format.sh --check  change nothing; list the files that differ and fail
# Tables whose layout carries meaning (protocol bytes) are fenced with
# "// clang-format off" / "// clang-format on".
set -euo pipefail
cd "$(dirname "$0")/.."

# Files git tracks and new ones it does not ignore, so a file not yet added is
# formatted (and checked) too.
mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.hpp')
if [[ "${1:-}" == "--check" ]]; then
  if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/korvane-format.$$; then
    grep -o '^[^:]*:[0-9]*:[0-9]*: error' /tmp/korvane-format.$$ | cut -d: -f1 | sort -u |
      sed 's/^/not formatted: /' >&2
    rm -f /tmp/korvane-format.$$
    echo "run scripts/format.sh to format them" >&2
    exit 1
  fi
  rm -f /tmp/korvane-format.$$
  echo "every C++ source is formatted"
else
  clang-format -i "${files[@]}"
fi
