#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A batch of 12-megapixel JPEG photographs, 10 kaleidoscope JPEG tiles each
# at cut 256 with --fit 25, beside what it cannot do without: decoding
# every file at the scale the fit needs (djpeg -scale 3/8, a 1500 x 1125
# picture for the fitted 1365 x 1024) plus the same batch's tile work on
# pictures fitted beforehand. Prints wall seconds, photos/s, peak RSS and
# the ratio batch / (scaled decode + pre-fitted batch); djpeg's full decode
# stands beside for scale. The photographs are LadyBird.jpg (2560 x 1600)
# of Debian's mate-backgrounds scaled to 4000 x 3000 by cwebp and saved by
# cjpeg at qualities 85 to 94; the pre-fitted pictures are the same scaled
# to 1365 x 1024 by cwebp.
#
#   bench/batch-speed.sh [photos] [quillmore-cli]
#       (default 30 photos and build/dev/cli/quillmore-cli, built when
#       missing; an other binary, say main's, is timed on the same files)
set -euo pipefail
cd "$(dirname "$0")/.."
photos=${1:-30}
cli=${2:-build/dev/cli/quillmore-cli}

scripts/install-missing.sh libjpeg-turbo-progs webp mate-backgrounds time
if [[ $# -lt 2 ]]; then
  [[ -f build/dev/CMakeCache.txt ]] || cmake -S . -B build/dev -G Ninja >/dev/null
  cmake --build build/dev --target quillmore-cli >/dev/null
fi
photo=/usr/share/backgrounds/mate/nature/LadyBird.jpg

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/photos" "$work/fitted"
cwebp -quiet -lossless -resize 4000 3000 "$photo" -o "$work/big.webp"
dwebp -quiet -ppm "$work/big.webp" -o "$work/big.ppm"
cwebp -quiet -lossless -resize 1365 1024 "$photo" -o "$work/small.webp"
dwebp -quiet -ppm "$work/small.webp" -o "$work/small.ppm"
for ((k = 0; k < photos; ++k)); do
  name=$(printf 'photo%03d.jpg' "$k")
  cjpeg -quality $((85 + k % 10)) -outfile "$work/photos/$name" "$work/big.ppm"
  cjpeg -quality $((85 + k % 10)) -outfile "$work/fitted/$name" "$work/small.ppm"
done

# Wall seconds and peak resident KiB of a command, "seconds kib".
timed() {
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>&1
  cat "$work/time"
}

# Every photo through djpeg with the given options, wall seconds.
djpeg_all() {
  local start end
  start=$(date +%s.%N)
  for f in "$work"/photos/*.jpg; do
    djpeg "$@" -outfile /dev/null "$f"
  done
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

batch() {
  local from=$1
  shift
  rm -rf "$work/out"
  mkdir "$work/out"
  timed "$cli" --batch "$work/$from" --out "$work/out" --size 256 --count 10 --format jpeg \
    --seed 1 "$@"
}

full=$(djpeg_all)
scaled=$(djpeg_all -scale 3/8)
read -r batchTime batchKib < <(batch photos --fit 25)
read -r fittedTime fittedKib < <(batch fitted)

row() {
  printf '%-44s %8.2f %9.1f %9s\n' "$1" "$2" "$(echo "$photos / $2" | bc -l)" "$3"
}
echo "$photos photos of 4000 x 3000, $(nproc) cores, $cli"
printf '%-44s %8s %9s %9s\n' step seconds photos/s "peak MiB"
row "djpeg, full size" "$full" -
row "djpeg -scale 3/8" "$scaled" -
row "batch on pre-fitted pictures" "$fittedTime" "$((fittedKib / 1024))"
row "batch --fit 25" "$batchTime" "$((batchKib / 1024))"
printf 'ratio batch / (scaled decode + pre-fitted batch): %.2f\n' \
  "$(echo "$batchTime / ($scaled + $fittedTime)" | bc -l)"
