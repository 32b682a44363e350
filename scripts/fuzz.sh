#!/usr/bin/env bash
# Runs every fuzz target under libFuzzer (clang, address and undefined-behaviour sanitizers) for a
# bounded time each, starting from its seed corpus. New inputs go to build/fuzz/corpus/<target>, never
# into the committed seeds; a crash leaves its input in build/fuzz/crashes and fails the script.
#   scripts/fuzz.sh            60 s per target
#   scripts/fuzz.sh 300        300 s per target
#   scripts/fuzz.sh 30 cycle_file reply_parsers   only these targets
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true

scripts/install-deps.sh
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  for f in fuzz/*.cmake; do targets+=("$(basename "$f" .cmake)"); done
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]}"

# A library built without the fuzzer's coverage hides its parser from the fuzzer and from the
# sanitizers: refuse to run rather than report a clean run that never looked.
uninstrumented=()
for lib in $(find build/fuzz/src -name 'libvigil_*.a' | sort); do
  if ! nm -A "$lib" 2>/dev/null | grep '__sanitizer_cov_' >/dev/null; then
    uninstrumented+=("$lib")
  fi
done
if [ "${#uninstrumented[@]}" -gt 0 ]; then
  echo "fuzz: libraries without fuzzer coverage: ${uninstrumented[*]}" >&2
  exit 1
fi

mkdir -p build/fuzz/crashes
failed=()
for t in "${targets[@]}"; do
  work="build/fuzz/corpus/$t"
  mkdir -p "$work"
  echo "== $t: ${seconds} s"
  if ! "build/fuzz/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="build/fuzz/crashes/$t-" "$work" "fuzz/corpus/$t" 2>&1 | tail -n 12; then
    failed+=("$t")
  fi
done

if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]} (inputs in build/fuzz/crashes)" >&2
  exit 1
fi
echo "fuzz: ${#targets[@]} targets, ${seconds} s each, no finding"
