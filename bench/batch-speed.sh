#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A batch of 12-megapixel JPEG photographs, 10 kaleidoscope JPEG tiles each
# at cut 256 with --fit 25, beside what it cannot do without: decoding
# every file at the scale the fit needs (djpeg -scale 3/8, a 1500 x 1125
# picture for the fitted 1365 x 1024) plus the same batch's tile work on
# pictures fitted beforehand. Prints wall seconds (median of the repeats),
# photos/s, peak RSS (the largest of the repeats) and
# the ratio batch / (scaled decode + pre-fitted batch); djpeg's full decode
# stands beside for scale. The photographs are LadyBird.jpg (2560 x 1600)
# of Debian's mate-backgrounds scaled to 4000 x 3000 by cwebp and saved by
# cjpeg at qualities 85 to 94; the pre-fitted pictures are the same scaled
# to 1365 x 1024 by cwebp.
#
#   bench/batch-speed.sh [photos] [repeats] [quillmore-cli]
#       (default 30 photos, 3 repeats and build/dev/cli/quillmore-cli, built
#       when missing; another binary, say main's, is timed on the same files)
set -euo pipefail
cd "$(dirname "$0")/.."
photos=${1:-30}
repeats=${2:-3}
cli=${3:-build/dev/cli/quillmore-cli}

scripts/install-missing.sh libjpeg-turbo-progs webp mate-backgrounds time bc
if [[ $# -lt 3 ]]; then
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

# The median of the first fields of the lines on standard input and the
# largest second field, "seconds kib".
median() {
  sort -n | awk '{ t[NR] = $1; if ($2 > m) m = $2 } END { print t[int((NR + 1) / 2)], m + 0 }'
}

# Wall seconds and peak resident KiB of a command, "seconds kib", over the
# repeats.
timed() {
  for ((r = 0; r < repeats; ++r)); do
    /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>&1
    cat "$work/time"
  done | median
}

# Every photo through djpeg with the given options.
djpeg_all() {
  for f in "$work"/photos/*.jpg; do
    djpeg "$@" -outfile /dev/null "$f"
  done
}

# The batch of the photos in folder $1 with the options that follow.
batch() {
  local from=$1
  shift
  rm -rf "$work/out"
  mkdir "$work/out"
  "$cli" --batch "$work/$from" --out "$work/out" --size 256 --count 10 --format jpeg --seed 1 "$@"
}

export -f djpeg_all batch
export work cli
read -r full _ < <(timed bash -c 'djpeg_all')
read -r scaled _ < <(timed bash -c 'djpeg_all -scale 3/8')
read -r batchTime batchKib < <(timed bash -c 'batch photos --fit 25')
read -r fittedTime fittedKib < <(timed bash -c 'batch fitted')

row() {
  printf '%-44s %8.2f %9.1f %9s\n' "$1" "$2" "$(echo "$photos / $2" | bc -l)" "$3"
}
echo "$photos photos of 4000 x 3000, $(nproc) cores, median of $repeats, $cli"
printf '%-44s %8s %9s %9s\n' step seconds photos/s "peak MiB"
row "djpeg, full size" "$full" -
row "djpeg -scale 3/8" "$scaled" -
row "batch on pre-fitted pictures" "$fittedTime" "$((fittedKib / 1024))"
row "batch --fit 25" "$batchTime" "$((batchKib / 1024))"
printf 'ratio batch / (scaled decode + pre-fitted batch): %.2f\n' \
  "$(echo "$batchTime / ($scaled + $fittedTime)" | bc -l)"
