#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test of one preset
# (default: debug), then runs the tests again under a decimal-comma locale.
#   scripts/test.sh            debug build
#   scripts/test.sh asan       address and undefined-behaviour sanitizers
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-debug}"

scripts/install-deps.sh
scripts/check-format.sh

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"

# System libraries under the Qt front end keep a few allocations for the life of the process.
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
ctest --preset "$preset" -j "$(nproc)"
echo "== again under de_DE.UTF-8 (decimal comma) =="
LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 ctest --preset "$preset" -j "$(nproc)"
