#!/usr/bin/env bash
# resume-kill-trials.sh [TRIALS] [DAYS] [KILLS]: each trial runs the station with resume on over
# DAYS simulated days (virtual clock from 2027-01-01 00:30), SIGKILLs it up to KILLS times at
# random moments, restarts it each time after a random downtime (0 to 5 simulated hours, from
# its last logged sign of life) as the service would, and lets the last run reach the end. Then
# `crash_check resume-check` requires: every cycle time between a run's arming and its last
# sign of life has a whole cycle file of its own (only the cycle a kill cut may be short, and a
# short one is noted "cycle interrupted" in the results database), no cycle time of a downtime
# has one, and no file holds rows of two cycles.
#   VIGIL_BUILD_DIR  build folder (default build/debug)
#   VIGIL_KILL_SEED  seed of the random moments (default: random, printed)
set -u
trials=${1:-20}
days=${2:-3}
kills=${3:-3}
build=${VIGIL_BUILD_DIR:-build/debug}
check="$build/tests/crash/crash_check"
seed=${VIGIL_KILL_SEED:-$((RANDOM * 32768 + RANDOM))}
RANDOM=$((seed % 32768))
[ -x "$check" ] || { echo "no $check" >&2; exit 2; }

start_ms=1798763400000  # 2027-01-01 00:30 on the virtual clock
end_ms=$((start_ms + days * 86400000))
work=$(mktemp -d "${TMPDIR:-/tmp}/vigil-resume.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The last local ms the log shows of its last run.
last_sign() {
  awk '$1 == "start" { last = $2; next } $2 > last { last = $2 } END { print last }' "$1"
}
ended() { awk '$1 == "start" { e = 0 } $1 == "end" { e = 1 } END { exit !e }' "$1"; }

t0=$(date +%s%N)
"$check" resume-run "$work/whole" "$start_ms" "$end_ms" "$work/whole.log" >/dev/null 2>&1 ||
  { echo "an undisturbed run failed" >&2; exit 1; }
runtime_ms=$((($(date +%s%N) - t0) / 1000000))
"$check" resume-check "$work/whole" "$work/whole.log" "$end_ms" >/dev/null ||
  { echo "an undisturbed run does not pass the check" >&2; exit 1; }
echo "seed $seed, $days days, up to $kills kills a trial, undisturbed run ${runtime_ms} ms, $trials trials"

failures=0
sum_restarts=0 sum_missed=0 sum_interrupted=0 sum_ran=0 sum_cut=0 sum_noted=0
for ((t = 1; t <= trials; t++)); do
  dir="$work/run" log="$work/run.log"
  rm -rf "$dir" "$log"
  mkdir -p "$dir"
  now=$start_ms
  for ((k = 1; k <= kills; k++)); do
    "$check" resume-run "$dir" "$now" "$end_ms" "$log" >/dev/null 2>&1 &
    pid=$!
    delay_ms=$(((RANDOM * 32768 + RANDOM) % (runtime_ms / kills + 1)))
    sleep "$(awk -v ms=$delay_ms 'BEGIN { printf "%.3f", ms / 1000 }')"
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    ended "$log" && break
    down_ms=$(((RANDOM * 32768 + RANDOM) % (5 * 3600000 + 1)))
    # A run killed before it logged its start (a slow start, under the sanitizers) left no sign
    # of life: it never ran, so the next one starts from where this one would have.
    sign=$(last_sign "$log")
    [ -n "$sign" ] || sign=$now
    now=$((sign + down_ms))
    # A restart after the end would leave nothing to check.
    [ "$now" -lt $((end_ms - 3600000)) ] || now=$((sign + 1000))
  done
  last_failed=0
  if ! ended "$log"; then
    "$check" resume-run "$dir" "$now" "$end_ms" "$log" >"$work/out" 2>&1 ||
      { last_failed=1; echo "trial $t: the last run failed: $(tail -n 3 "$work/out")"; }
  fi
  result=$("$check" resume-check "$dir" "$log" "$end_ms")
  status=$?
  summary=$(tail -n 1 <<<"$result")
  for f in restarts missed interrupted ran cut noted; do
    v=$(sed -n "s/.*$f=\([0-9]*\).*/\1/p" <<<"$summary")
    eval "sum_$f=\$((sum_$f + ${v:-0}))"
  done
  if [ $status -ne 0 ] || [ $last_failed -ne 0 ]; then
    failures=$((failures + 1))
    echo "trial $t: $result"
    cp -a "$dir" "$work/../vigil-resume-failure-$seed-$t" 2>/dev/null
    cp "$log" "$work/../vigil-resume-failure-$seed-$t.log" 2>/dev/null
  fi
done
echo "trials=$trials restarts=$sum_restarts cycles_ran=$sum_ran missed=$sum_missed started_not_stored=$sum_interrupted cut_files=$sum_cut noted_interrupted=$sum_noted failures=$failures seed=$seed"
[ $failures -eq 0 ]
