#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while:
#   tools/fuzz.sh [SECONDS_EACH] [TARGET...]
# New inputs go to build/fuzz/found/<target>; copy any that crashed into
# tests/fuzz/corpus/<target>/ so the ordinary tests replay them for good.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}; shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(boxinteger scrambler readingfile duration)
bash "$root/tools/setup.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVEL_FUZZ=ON -DQUORVEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build/fuzz" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"
for target in "${targets[@]}"; do
  found="$root/build/fuzz/found/$target"
  mkdir -p "$found"
  echo "== $target for ${seconds}s"
  QT_QPA_PLATFORM=offscreen "$root/build/fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" \
    -print_final_stats=1 -artifact_prefix="$found/" "$found" "$root/tests/fuzz/corpus/$target" 2>&1 |
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)|cov:' | tail -4
done
