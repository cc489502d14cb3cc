#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets with clang and runs each for a while:
#   tools/fuzz.sh [SECONDS_EACH] [TARGET...]
# Targets: boxinteger scrambler readingfile duration batch birthfields (all
# when none given).
# Environment: FUZZ_BUILD   build folder (build/fuzz)
#              FUZZ_JOBS    targets run at the same time, each under nice (1)
#              FUZZ_BUILD_JOBS  parallel compile jobs (2)
# New inputs go to FUZZ_BUILD/found/<target>, the full log to
# FUZZ_BUILD/found/<target>.log. A crash leaves crash-* there: copy it into
# tests/fuzz/corpus/<target>/ so the ordinary tests replay it for good.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}; shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(boxinteger scrambler readingfile duration batch birthfields)
build=${FUZZ_BUILD:-$root/build/fuzz}
jobs=${FUZZ_JOBS:-1}
bash "$root/tools/setup.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVEL_FUZZ=ON -DQUORVEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "${FUZZ_BUILD_JOBS:-2}" --target "${targets[@]/#/fuzz_}"

# Runs one target and prints its figures: executions, coverage, features,
# corpus, peak memory and any crash.
run() {
  local target=$1 found="$build/found/$1"
  mkdir -p "$found"
  QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 TZ=UTC nice -n 10 "$build/tests/fuzz/fuzz_$target" \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$found/" -rss_limit_mb=2048 \
    -timeout=10 "$found" "$root/tests/fuzz/corpus/$target" >"$found.log" 2>&1 || true
  {
    echo "== $target, ${seconds}s"
    grep -E '^#[0-9]+[[:space:]]+(DONE|INITED)|^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added|stat::peak_rss_mb)' "$found.log" || true
    grep -E '^==[0-9]+==ERROR|^SUMMARY|deadly signal|Test unit written' "$found.log" || echo "no crash"
  }
}

mkdir -p "$build/found"
status=0
for ((i = 0; i < ${#targets[@]}; i += jobs)); do
  pids=()
  for target in "${targets[@]:i:jobs}"; do
    run "$target" >"$build/found/$target.summary" 2>&1 &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid"; done
  for target in "${targets[@]:i:jobs}"; do
    cat "$build/found/$target.summary"
    ! grep -q 'Test unit written' "$build/found/$target.summary" || status=1
  done
done
exit $status
