#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Inputs per second of this tree's BMP fuzz target against another build of
# it (another commit's build/fuzz/fuzz/fuzz_bmp_reader), run at the same
# time on one core each, with the same seed inputs (tests/fixtures' BMPs and
# the crafted files), libFuzzer seeds and seconds, each from an empty corpus.
#
#   bench/bmp-fuzz-speed.sh OTHER_FUZZ_BMP_READER [seconds] [libFuzzer seed...]
#   (default 30 s, seeds 1 2; a seed named again is another round)
set -euo pipefail
cd "$(dirname "$0")/.."

other=$1
seconds=${2:-30}
shift $(($# < 2 ? $# : 2))
[[ $# -gt 0 ]] || set -- 1 2
# Built as fuzz/run-fuzzers.sh builds it.
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DQM_FUZZ=ON -DQM_WERROR=ON \
  -DQM_BUILD_GUI=OFF -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF >/dev/null
cmake --build build/fuzz --target fuzz_bmp_reader >/dev/null
this=build/fuzz/fuzz/fuzz_bmp_reader

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fixtures=tests/fixtures
run() {  # binary name seed core
  mkdir "$work/$2-$round"
  taskset -c "$4" "$1" -seed="$3" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -malloc_limit_mb=1024 -keep_seed=1 -artifact_prefix="$work/" -print_final_stats=1 \
    "$work/$2-$round" "$fixtures/bmpsuite/images" "$fixtures/bmpsuite/images/lenient" \
    "$fixtures/hostile" >"$work/$2-$round.log" 2>&1
}
printf '%5s %12s %12s %7s\n' seed "this/s" "other/s" times
round=0
for seed in "$@"; do
  round=$((round + 1))
  run "$this" this "$seed" 0 &
  run "$other" other "$seed" 1 &
  wait
  rate() { grep -o 'average_exec_per_sec: *[0-9]*' "$work/$1-$round.log" | grep -o '[0-9]*$'; }
  printf '%5s %12s %12s %7.1f\n' "$seed" "$(rate this)" "$(rate other)" \
    "$(echo "$(rate this) / $(rate other)" | bc -l)"
done
