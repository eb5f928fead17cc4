#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times whole generation runs: 100 tiles at cut 256 from a 2560x1600
# photograph for every built-in method and every output format, with the
# share of each run spent encoding the tiles and reading the source.
#
#   bench/run_bench.sh [count] [cut] [repeats]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_GUI=OFF \
  -DQM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target run_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/run_bench" "$work" tests/fixtures/jpeg-bmp/testorig.jpg "$@"
