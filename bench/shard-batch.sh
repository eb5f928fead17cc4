#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times a batch of COUNT pictures (hard links to the photographs given,
# round robin, so the folder costs no disk; without any, to ten 12-megapixel
# JPEGs made as bench/batch-speed.sh makes them) made whole and split into SHARDS
# shards run at once, 10 kaleidoscope JPEG tiles of each at cut 256 with the
# picture fitted at 25 %, and
# checks that both give the same files.
#
#   bench/shard-batch.sh [COUNT [SHARDS]] [PHOTO...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build/dev}
count=1000
shards=4
[[ ${1:-} =~ ^[0-9]+$ ]] && { count=$1; shift; }
[[ ${1:-} =~ ^[0-9]+$ ]] && { shards=$1; shift; }
cmake --build "$build" --target quillmore-cli >/dev/null
cli=$build/cli/quillmore-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/pictures" "$work/photos"
photos=("$@")
if (( $# == 0 )); then
  "$here/scripts/install-missing.sh" libjpeg-turbo-progs webp mate-backgrounds
  cwebp -quiet -lossless -resize 4000 3000 /usr/share/backgrounds/mate/nature/LadyBird.jpg \
    -o "$work/big.webp"
  dwebp -quiet -ppm "$work/big.webp" -o "$work/big.ppm"
  for ((k = 0; k < 10; ++k)); do
    cjpeg -quality $((85 + k)) -outfile "$work/photos/photo$k.jpg" "$work/big.ppm"
    photos+=("$work/photos/photo$k.jpg")
  done
fi
for ((i = 0; i < count; ++i)); do
  photo=${photos[i % ${#photos[@]}]}
  ln "$photo" "$work/pictures/$(printf 'p%05d' "$i").${photo##*.}" 2>/dev/null ||
    cp "$photo" "$work/pictures/$(printf 'p%05d' "$i").${photo##*.}"
done
options=(--method kaleidoscope --size 256 --count 10 --format jpeg --fit 25 --seed 7)

start=$(date +%s.%N)
"$cli" --batch "$work/pictures" --out "$work/whole" "${options[@]}" >/dev/null
whole=$(awk "BEGIN { print $(date +%s.%N) - $start }")

start=$(date +%s.%N)
for ((k = 1; k <= shards; ++k)); do
  "$cli" --batch "$work/pictures" --out "$work/split" "${options[@]}" --shard "$k/$shards" >/dev/null &
done
wait
split=$(awk "BEGIN { print $(date +%s.%N) - $start }")

diff -r "$work/whole" "$work/split" >/dev/null && same=yes || same=NO
printf '%d pictures: whole %.2f s (%.1f pictures/s), %d shards at once %.2f s (%.1f pictures/s), same files: %s\n' \
  "$count" "$whole" "$(awk "BEGIN { print $count / $whole }")" "$shards" "$split" \
  "$(awk "BEGIN { print $count / $split }")" "$same"
