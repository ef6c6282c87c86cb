#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a given time, starting from
# its seed corpus under fuzz/corpus/<target>. Prints exit status, executions
# and crashes per target; exits non-zero when any target crashed, hung, ran
# out of memory, ended with a non-zero exit status (one that cannot start
# among them) or ran no input at all. The inputs that crashed are kept in
# <build>/fuzz-artifacts/<target>.
#
#   scripts/fuzz.sh [--seconds N] [--jobs N] [--build DIR] [--no-build] [TARGET...]
#
# TARGET is a name such as parameter_reply (all targets when none is given).
# --jobs runs that many targets at once (each one uses one core).
set -euo pipefail
shopt -s inherit_errexit
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=20
jobs=1
build=$root/build/fuzz
rebuild=1
targets=()
while (($#)); do
  case $1 in
    --seconds) seconds=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --no-build) rebuild=0; shift ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done

if ((rebuild)); then
  # The libraries under test carry coverage instrumentation (fuzzer-no-link),
  # so libFuzzer steers by what their code does, not only the target's; a
  # debug build keeps their assertions, -O1 keeps it fast enough.
  if [[ ! -f $build/CMakeCache.txt ]]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DENABLE_SANITIZERS=ON "-DCMAKE_C_FLAGS=-O1 -fsanitize=fuzzer-no-link" \
      "-DCMAKE_CXX_FLAGS=-O1 -fsanitize=fuzzer-no-link" >/dev/null
  fi
  cmake --build "$build" --target fuzzers -j "$(nproc)"
fi

if ((${#targets[@]} == 0)); then
  for binary in "$build"/bin/*_fuzzer; do
    [[ -x $binary ]] && targets+=("$(basename "$binary" _fuzzer)")
  done
fi
if ((${#targets[@]} == 0)); then
  echo "fuzz.sh: no fuzz targets in $build/bin (is the build configured with clang?)" >&2
  exit 2
fi

logs=$build/fuzz-logs
mkdir -p "$logs"

# Runs one target; its log holds libFuzzer's output, <name>.exit its exit
# status.
run_target() {
  local name=$1
  local work=$build/fuzz-corpus/$name artifacts=$build/fuzz-artifacts/$name
  mkdir -p "$work" "$artifacts"
  # New inputs go to the work corpus; the committed seeds are only read.
  local seeds=()
  [[ -d $root/fuzz/corpus/$name ]] && seeds=("$root/fuzz/corpus/$name")
  # A fixed random seed (FUZZ_SEED, default 1) makes a run repeatable, so the
  # test command judges the same inputs each time; longer exploratory runs
  # take another seed.
  local code=0
  "$build/bin/${name}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -seed="${FUZZ_SEED:-1}" -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" "${seeds[@]}" \
    >"$logs/$name.log" 2>&1 || code=$?
  echo "$code" >"$logs/$name.exit"
}

# Executions from the final statistics, or from the last status line when the
# run ended on a crash.
executions() {
  local log=$1 count
  [[ -f $log ]] || { echo 0; return; }
  count=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  # grep finds no status line in the log of a target that never ran.
  if [[ -z $count ]]; then count=$({ grep -oE '^#[0-9]+' "$log" || true; } | tail -1 | tr -d '#'); fi
  echo "${count:-0}"
}

# Children are ended by their own process ids on interruption.
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done' INT TERM

for name in "${targets[@]}"; do
  if [[ ! -x $build/bin/${name}_fuzzer ]]; then
    echo "fuzz.sh: no target $name" >&2
    exit 2
  fi
  rm -f "$build/fuzz-artifacts/$name"/{crash,leak,timeout,oom}-* "$logs/$name".{log,exit}
  while ((${#pids[@]} >= jobs)); do
    wait -n "${pids[@]}" || true
    alive=()
    for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && alive+=("$pid"); done
    pids=("${alive[@]}")
  done
  echo "fuzzing $name for ${seconds}s" >&2
  run_target "$name" &
  pids+=("$!")
done
for pid in "${pids[@]}"; do wait "$pid" || true; done

failed=0
printf '%-22s %8s %6s %14s %8s\n' target seconds exit executions crashes
for name in "${targets[@]}"; do
  crashes=$(find "$build/fuzz-artifacts/$name" -maxdepth 1 -type f \
    \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  runs=$(executions "$logs/$name.log")
  # No status file: the run never got as far as recording one.
  exit_status=none
  if [[ -f $logs/$name.exit ]]; then exit_status=$(<"$logs/$name.exit"); fi
  printf '%-22s %8s %6s %14s %8s\n' "$name" "$seconds" "$exit_status" "$runs" "$crashes"
  problems=""
  if ((crashes > 0)); then problems+=" $crashes failing inputs kept;"; fi
  if [[ $exit_status != 0 ]]; then problems+=" exit status $exit_status;"; fi
  if ((runs == 0)); then problems+=" no input ran;"; fi
  if [[ -n $problems ]]; then
    failed=1
    echo "  $name failed:$problems see $logs/$name.log and $build/fuzz-artifacts/$name/" >&2
  fi
done
exit "$failed"
