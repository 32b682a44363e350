#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' 2>/dev/null || true)
[ "${#files[@]}" -eq 0 ] && exit 0
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/vigil-format.$$; then
  head -n 40 /tmp/vigil-format.$$ >&2
  rm -f /tmp/vigil-format.$$
  echo "check-format: run: clang-format -i \$(git ls-files '*.cpp' '*.h')" >&2
  exit 1
fi
rm -f /tmp/vigil-format.$$
