#!/usr/bin/env bash
# A year of scheduled monitoring through the whole program under the address, leak and
# undefined-behaviour sanitizers, with the figures per simulated month.
#   scripts/year-run.sh                     365 days, face 1 only, one reading per point
#   scripts/year-run.sh --days 30 --faces   any options of longrun_year
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$(nproc)" --target longrun_year

# The suppressions only cover the system font libraries that the Qt front end loads.
export ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
exec build/asan/tests/longrun/longrun_year "$@"
