#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times a batch of COUNT pictures (hard links to the photographs given,
# round robin, so the folder costs no disk) made whole and split into SHARDS
# shards run at once, 10 kaleidoscope JPEG tiles of each at cut 256 with the
# picture fitted at 25 %, and
# checks that both give the same files.
#
#   bench/shard-batch.sh [COUNT [SHARDS]] PHOTO...
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build/dev}
count=1000
shards=4
[[ ${1:-} =~ ^[0-9]+$ ]] && { count=$1; shift; }
[[ ${1:-} =~ ^[0-9]+$ ]] && { shards=$1; shift; }
(( $# > 0 )) || { echo "usage: $0 [COUNT [SHARDS]] PHOTO..." >&2; exit 2; }
cmake --build "$build" --target quillmore-cli >/dev/null
cli=$build/cli/quillmore-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/pictures"
photos=("$@")
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
