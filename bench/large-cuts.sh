#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Speed and memory at the largest cut (2048):
#
#   1. bench/large_png_bench: one kaleidoscope PNG tile (6144 x 3546) of a
#      photograph, libpng on one thread against the image data deflated in
#      bands on one thread and on every core, time and size.
#   2. bench/maker_bench: Prepare and Make of every built-in method at 2048
#      (wall time, median of the repeats).
#   3. quillmore-cli --large --size 2048 --format png for each method and
#      for each tile count given, peak memory (/usr/bin/time -f %M) and wall
#      time of the whole run.
#
#   bench/large-cuts.sh [repeats] [counts...]     (defaults: 3, 1 4 12)
#
# The photograph is LadyBird.jpg (2560 x 1600) of Debian's mate-backgrounds,
# installed when missing, extended by its mirror image below to 2560 x 3200
# so that a 2048 cut fits; the command-line runs read that picture as a BMP
# file in a temporary folder, nothing is kept.
set -euo pipefail
cd "$(dirname "$0")/.."

repeats=${1:-3}
shift || true
counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(1 4 12)

scripts/install-missing.sh mate-backgrounds time libbenchmark-dev
photo=/usr/share/backgrounds/mate/nature/LadyBird.jpg

build=${QM_BENCH_BUILD:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_GUI=OFF \
  -DQM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target quillmore-cli large_png_bench maker_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "$(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), load $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/large_png_bench" "$photo" "$repeats" "$work/source.bmp"
echo
"$build/bench/maker_bench" --benchmark_filter=/2048 --benchmark_repetitions="$repeats" \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_median|^Benchmark|^-'
echo
printf '%-18s %6s %12s %9s\n' method tiles 'peak MiB' seconds
for method in kaleidoscope carpet tablecloth tile floral distorted-square rectangle none; do
  for count in "${counts[@]}"; do
    rm -rf "$work/out" && mkdir "$work/out"
    read -r kib seconds < <(/usr/bin/time -f '%M %e' "$build/cli/quillmore-cli" \
      --file "$work/source.bmp" --method "$method" --large --size 2048 --count "$count" \
      --format png --seed 1 --out "$work/out" 2>&1 >/dev/null | tail -1)
    printf '%-18s %6d %12.0f %9.2f\n' "$method" "$count" "$(awk -v k="$kib" 'BEGIN { print k / 1024 }')" "$seconds"
  done
done
