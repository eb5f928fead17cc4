#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the fuzz targets of the decoders and of the Exif reader with clang
# and runs each for the given number of seconds (default 30), seeded with
# the test pictures and fuzz/exif-seeds (kept in the corpus even where they
# add no coverage: libjpeg, libpng and libexif are not instrumented, so
# mutations of real files are what reaches into them). New inputs that
# reach new code are kept in build/fuzz/corpus/<target>; a crash leaves
# its input as build/fuzz/crash-* and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
build=build/fuzz

# The libFuzzer runtime ships apart from clang (Debian: libclang-rt-dev for
# the default clang); without it there is nothing to link the targets with.
runtime_dir=$(clang -print-runtime-dir 2>/dev/null || true)
runtime=
for name in libclang_rt.fuzzer.a "libclang_rt.fuzzer-$(uname -m).a"; do
  [ -n "$runtime_dir" ] && [ -f "$runtime_dir/$name" ] && runtime=$runtime_dir/$name
done
if [ -z "$runtime" ]; then
  echo "== fuzzing skipped: no libFuzzer runtime for clang (${runtime_dir:-clang not found})"
  exit 0
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DQM_FUZZ=ON -DQM_WERROR=ON \
  -DQM_BUILD_GUI=OFF -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_bmp_reader fuzz_jpeg_reader fuzz_png_reader \
  fuzz_exif_reader

fixtures=tests/fixtures
declare -A seeds=(
  [bmp]="$fixtures/bmpsuite/images $fixtures/bmpsuite/images/lenient $fixtures/hostile"
  [jpeg]="$fixtures/jpeg-bmp $fixtures/hostile"
  [png]="$fixtures/pngsuite $fixtures/pngsuite-interlaced $fixtures/png-corrupt $fixtures/hostile"
  [exif]="fuzz/exif-seeds $fixtures/png-corrupt $fixtures/jpeg-bmp"
)
for format in bmp jpeg png exif; do
  corpus=$build/corpus/$format
  mkdir -p "$corpus"
  echo "== fuzz_${format}_reader for ${seconds} s"
  # shellcheck disable=SC2086  # the seed folders are separate arguments
  "$build/fuzz/fuzz_${format}_reader" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -malloc_limit_mb=1024 -keep_seed=1 -artifact_prefix="$build/" -print_final_stats=1 \
    "$corpus" ${seeds[$format]}
done
