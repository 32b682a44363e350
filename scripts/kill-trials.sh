#!/usr/bin/env bash
# kill-trials.sh [TRIALS]: starts the program on a fresh folder, copies the folder shortly
# before a SIGKILL at a random moment of its run, then checks with crash_check that every
# stored file reads whole and still holds what the copy held. A kill counts as landing during
# a write when it left a temporary file or a cut cycle line.
#   VIGIL_BUILD_DIR  build folder (default build/h-crash)
#   VIGIL_KILL_SEED  seed of the random moments (default: random, printed)
#   VIGIL_KILL_PROGRAM=stand-in  use the scenario program even when the demo exists
set -u
trials=${1:-200}
build=${VIGIL_BUILD_DIR:-build/h-crash}
check="$build/tests/crash/crash_check"
station="$build/src/app/VigilStation"
seed=${VIGIL_KILL_SEED:-$((RANDOM * 32768 + RANDOM))}
RANDOM=$((seed % 32768))
[ -x "$check" ] || { echo "no $check" >&2; exit 2; }

if [ "${VIGIL_KILL_PROGRAM:-}" != stand-in ] && [ -x "$station" ] && "$station" --help 2>&1 | grep -q -- '--demo'; then
  program=demo
else
  program=stand-in
fi
run_program() {  # $1: folder
  if [ "$program" = demo ]; then
    QT_QPA_PLATFORM=offscreen "$station" --demo "$1" --days 1 --no-screens >/dev/null 2>&1
  else
    "$check" stand-in "$1" 6 >/dev/null 2>&1
  fi
}

work=$(mktemp -d "${TMPDIR:-/tmp}/vigil-kill.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The typical run time, from one run left to finish.
start=$(date +%s%N)
run_program "$work/whole"
end=$(date +%s%N)
runtime_ms=$(( (end - start) / 1000000 ))
"$check" check "$work/whole" >/dev/null || { echo "an undisturbed run leaves files that do not read" >&2; exit 1; }
echo "program $program, seed $seed, typical run ${runtime_ms} ms, $trials trials"

during_writes=0
written_after_copy=0
failures=0
for ((t = 1; t <= trials; t++)); do
  dir="$work/run"
  snap="$work/snap"
  rm -rf "$dir" "$snap"
  mkdir -p "$dir"
  delay_ms=$(( (RANDOM * 32768 + RANDOM) % (runtime_ms + 1) ))
  lead_ms=$(( delay_ms / 10 ))
  run_program "$dir" 2>/dev/null &
  pid=$!
  sleep "$(awk -v ms=$((delay_ms - lead_ms)) 'BEGIN { printf "%.3f", ms / 1000 }')"
  cp -a "$dir" "$snap" 2>/dev/null || mkdir -p "$snap"
  sleep "$(awk -v ms=$lead_ms 'BEGIN { printf "%.3f", ms / 1000 }')"
  # The program itself, not the shell function around it.
  victim=$(pgrep -P "$pid" | head -n 1)
  kill -KILL "${victim:-$pid}" 2>/dev/null
  wait "$pid" 2>/dev/null
  result=$("$check" check "$dir" "$snap")
  status=$?
  summary=$(tail -n 1 <<<"$result")
  case "$summary" in
    *temporaries=0\ torn=0*) ;;
    *) during_writes=$((during_writes + 1)) ;;
  esac
  case "$summary" in
    *changed=0\ *) ;;
    *) written_after_copy=$((written_after_copy + 1)) ;;
  esac
  if [ $status -ne 0 ]; then
    failures=$((failures + 1))
    echo "trial $t (kill at ${delay_ms} ms): $result"
    cp -a "$dir" "$work/../vigil-kill-failure-$seed-$t" 2>/dev/null
  fi
done
echo "trials=$trials kills_during_writes=$during_writes written_between_copy_and_kill=$written_after_copy failures=$failures seed=$seed"
[ $failures -eq 0 ]
