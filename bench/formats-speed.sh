#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Decoding 12-megapixel HEIC, AVIF, WebP and TIFF files with the program's
# readers (bench/read_bench, median wall time) beside the libraries' own
# command-line tools (median of the same repeats): heif-convert to its y4m
# output, dwebp to a PPM file, tiffcp to an uncompressed TIFF; then the
# cost of converting a 12-megapixel picture to sRGB (bench/colour_bench).
# The photograph is LadyBird.jpg (2560 x 1600) of Debian's
# mate-backgrounds, installed when missing and scaled to 4000 x 3000 by
# cwebp; the files are made from it by heif-enc, cwebp and tiffcp.
#
#   bench/formats-speed.sh [repeats]     (default 5; builds into build/dev)
set -euo pipefail
cd "$(dirname "$0")/.."
repeats=${1:-5}

scripts/install-missing.sh mate-backgrounds libheif-examples webp libtiff-tools liblcms2-utils
[[ -f build/dev/CMakeCache.txt ]] || cmake -S . -B build/dev -G Ninja >/dev/null
cmake --build build/dev --target read_bench colour_bench >/dev/null
photo=/usr/share/backgrounds/mate/nature/LadyBird.jpg

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cwebp -quiet -lossless -resize 4000 3000 "$photo" -o "$work/big.webp"
dwebp -quiet "$work/big.webp" -o "$work/big.png"
dwebp -quiet -ppm "$work/big.webp" -o "$work/big.ppm"
heif-enc -q 90 "$work/big.png" -o "$work/photo.heic" >/dev/null
heif-enc -A -q 90 "$work/big.png" -o "$work/photo.avif" >/dev/null
cwebp -quiet -q 90 "$work/big.png" -o "$work/photo.webp"
cwebp -quiet -lossless "$work/big.png" -o "$work/lossless.webp"
ppm2tiff "$work/big.ppm" "$work/plain.tif"
tiffcp -c zip "$work/plain.tif" "$work/deflate.tif"
tiffcp -c lzw "$work/plain.tif" "$work/lzw.tif"

# Median wall seconds of a command run repeats times.
median() {
  local times=()
  for ((i = 0; i < repeats; ++i)); do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc)")
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((repeats + 1) / 2))p"
}

ours() {
  build/dev/bench/read_bench --repeats "$repeats" "$1" | awk 'NR == 2 { print $4 }'
}

printf '%-14s %10s %-34s %10s %10s %7s\n' file bytes tool "tool s" "ours s" ratio
row() {
  local file=$1
  shift
  local tool ourtime
  tool=$(median "$@")
  ourtime=$(ours "$work/$file")
  local name=$1
  [[ $2 == -* ]] && name="$1 $2"
  printf '%-14s %10s %-34s %10.3f %10.3f %7.2f\n' "$file" "$(stat -c %s "$work/$file")" "$name" \
    "$tool" "$ourtime" "$(echo "$ourtime / $tool" | bc -l)"
}
row photo.heic heif-convert "$work/photo.heic" "$work/out.y4m"
row photo.avif heif-convert "$work/photo.avif" "$work/out.y4m"
row photo.webp dwebp -ppm "$work/photo.webp" -o "$work/out.ppm"
row lossless.webp dwebp -ppm "$work/lossless.webp" -o "$work/out.ppm"
row deflate.tif tiffcp -c none "$work/deflate.tif" "$work/out.tif"
row lzw.tif tiffcp -c none "$work/lzw.tif" "$work/out.tif"
echo
build/dev/bench/colour_bench tests/fixtures/formats/icc/AdobeRGB-compatible.icc \
  tests/fixtures/formats/icc/Press-CMYK.icc "$repeats"
