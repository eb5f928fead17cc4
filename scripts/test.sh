#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Quillmore twice and runs the whole suite in each build: an optimised
# build, whose Debian package is then installed and checked, and one under
# AddressSanitizer and UndefinedBehaviorSanitizer. A third build under
# ThreadSanitizer runs the tests of the threaded tile saver and of the
# parallel run. Warnings are errors here.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests
jobs=$(nproc)

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DQM_WERROR=ON -DQM_BUILD_TESTS=ON -DQM_BUILD_BENCH=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== optimised build"
run_suite build/test -DCMAKE_BUILD_TYPE=Release

echo "== Debian package"
scripts/check-package.sh build/test

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
run_suite build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_SANITIZE=ON

echo "== ThreadSanitizer build: threaded tile saver and parallel run"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_TSAN=ON -DQM_WERROR=ON \
  -DQM_BUILD_GUI=OFF -DQM_BUILD_BENCH=OFF >/dev/null
cmake --build build/tsan -j "$jobs" --target app_run_tests
TSAN_OPTIONS=halt_on_error=1 build/tsan/tests/app/run/app_run_tests \
  --gtest_filter='TileSaver.*:ParallelRun.*'

echo "== fuzzing the decoders, the colour profile and the Exif reader (clang, libFuzzer)"
fuzz/run-fuzzers.sh 30
