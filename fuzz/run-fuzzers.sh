#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the fuzz targets of the decoders, of the colour profile reader and
# of the Exif reader with clang and runs each for the given number of
# seconds (default 30), seeded with the test pictures and fuzz/exif-seeds
# (kept in the corpus even where they add no coverage: libjpeg, libpng and
# libexif are not instrumented, so mutations of real files are what reaches
# into them). New inputs that reach new code are kept in
# build/fuzz/corpus/<target>; a crash leaves
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
targets=(bmp_reader jpeg_reader png_reader heif_reader webp_reader tiff_reader icc_profile exif_reader)
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

fixtures=tests/fixtures
declare -A seeds=(
  [bmp]="$fixtures/bmpsuite/images $fixtures/bmpsuite/images/lenient $fixtures/hostile"
  [jpeg]="$fixtures/jpeg-bmp $fixtures/hostile"
  [png]="$fixtures/pngsuite $fixtures/pngsuite-interlaced $fixtures/png-corrupt $fixtures/hostile"
  [exif]="fuzz/exif-seeds $fixtures/png-corrupt $fixtures/jpeg-bmp"
)
# The HEIF, WebP and TIFF files and the profiles sit in one folder; each
# target is seeded with its own kind.
seed_files() {
  local folder=$build/seeds/$1
  mkdir -p "$folder"
  shift
  for pattern in "$@"; do
    cp $fixtures/formats/$pattern $fixtures/hostile/$pattern "$folder/" 2>/dev/null || true
  done
  echo "$folder"
}
seeds[heif]=$(seed_files heif '*.heic' '*.avif')
seeds[webp]=$(seed_files webp '*.webp')
seeds[tiff]=$(seed_files tiff '*.tif')
seeds[icc]=$(seed_files icc 'icc/*.icc')
for target in "${targets[@]}"; do
  format=${target%_*}
  corpus=$build/corpus/$format
  mkdir -p "$corpus"
  echo "== fuzz_${target} for ${seconds} s"
  # shellcheck disable=SC2086  # the seed folders are separate arguments
  LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}" \
  "$build/fuzz/fuzz_${target}" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -malloc_limit_mb=1024 -keep_seed=1 -artifact_prefix="$build/" -print_final_stats=1 \
    "$corpus" ${seeds[$format]}
done
