#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Times Quillmore side by side with the tools a user would pick instead, on
# the same 100 tiles of a 2560x1600 photograph (cut 256, the positions a
# seeded run draws):
#
#   quillmore    quillmore-cli --seed, the whole process (reading the
#                photograph, making and writing the tiles)
#   floor        bench/encode_floor: plain single-threaded libpng/libjpeg/
#                stdio code that only encodes and writes the same tiles, made
#                beforehand, with the libraries' defaults
#   magick-1     ImageMagick, all tiles in one process (the photograph read
#                once and kept in memory as mpr:)
#   magick-N     ImageMagick, the tiles split over N processes, N = cores
#   gmic-1       G'MIC, all tiles in one process
#   gmic-N       G'MIC, the tiles split over N processes
#
# The rectangle tile (510x510) is made by the peers exactly: crop, append
# the mirror of columns 1..254, append the mirror of rows 1..254 below; the
# script checks the first tile against Quillmore's pixel for pixel. The
# kaleidoscope's triangles cannot be built cheaply with either tool; their
# recipe is the closest honest one: a mirror tiling of the same piece to the
# kaleidoscope tile's size (768x442): piece, its mirror and the piece again
# side by side, the top 221 rows of that band, and their upside-down copy
# below. JPEG tiles are written at quality 90 by everybody, BMP tiles as
# 24-bit BMP with the 40-byte header.
#
# Every figure is the median wall time of the repeats, in seconds; peak
# memory of Quillmore's run is read with /usr/bin/time -v.
#
#   bench/compare.sh [repeats] [count]
#
# The photograph is testorig.jpg from the test fixtures enlarged with
# ImageMagick (Lanczos) into a temporary folder; nothing is kept.
set -euo pipefail
cd "$(dirname "$0")/.."

repeats=${1:-5}
count=${2:-100}
cut=256
seed=20261208
width=2560
height=1600
cores=$(nproc)

# The peers, from Debian, only when missing.
scripts/install-missing.sh imagemagick gmic time
magick=/usr/bin/convert

build=${QM_BENCH_BUILD:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_GUI=OFF \
  -DQM_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target quillmore-cli encode_floor cut_positions >/dev/null
cli=$build/cli/quillmore-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
photo=$work/photo.jpg
"$magick" tests/fixtures/jpeg-bmp/testorig.jpg -filter Lanczos -resize "${width}x${height}!" \
  -quality 92 "$photo"
"$build/bench/cut_positions" "$width" "$height" "$cut" "$count" "$seed" >"$work/positions"

# Peer command lines, one script per process: $1 recipe (rectangle or
# kaleidoscope), $2 extension, $3 processes, $4 output folder. Process p
# makes the tiles whose running number minus one is p modulo processes.
peer_scripts() {
  local tool=$1 recipe=$2 ext=$3 procs=$4 out=$5 p i x y name
  for ((p = 0; p < procs; p++)); do
    local script=$work/$tool-$p.sh
    if [ "$tool" = magick ]; then
      printf '%s %s -write mpr:s' "$magick" "$photo" >"$script"
    else
      printf 'gmic -v -1 %s' "$photo" >"$script"
    fi
    i=0
    while read -r x y; do
      i=$((i + 1))
      (((i - 1) % procs == p)) || continue
      name=$(printf '%s/%03d.%s' "$out" "$i" "$ext")
      if [ "$tool" = magick ]; then
        # Options of the write stand before -write, which takes the next
        # word as its file name.
        options=
        case $ext in
          jpg) options="-quality 90 " ;;
          bmp) name="BMP3:$name" ;;
        esac
        if [ "$recipe" = rectangle ]; then
          printf ' \\( mpr:s -crop %dx%d+%d+%d +repage \\( +clone -crop %dx%d+1+0 +repage -flop \\) +append \\( +clone -crop %dx%d+0+1 +repage -flip \\) -append %s-write %s +delete \\)' \
            "$cut" "$cut" "$x" "$y" $((cut - 2)) "$cut" $((2 * cut - 2)) $((cut - 2)) "$options" "$name" >>"$script"
        else
          printf ' \\( mpr:s -crop %dx%d+%d+%d +repage \\( +clone -flop \\) \\( -clone 0 \\) +append -crop 768x221+0+0 +repage \\( +clone -flip \\) -append %s-write %s +delete \\)' \
            "$cut" "$cut" "$x" "$y" "$options" "$name" >>"$script"
        fi
      else
        [ "$ext" = jpg ] && name="$name,90"
        if [ "$recipe" = rectangle ]; then
          printf ' +crop[0] %d,%d,%d,%d +crop[-1] 1,0,%d,%d mirror[-1] x append[-2,-1] x +crop[-1] 0,1,%d,%d mirror[-1] y append[-2,-1] y output[-1] %s remove[-1]' \
            "$x" "$y" $((x + cut - 1)) $((y + cut - 1)) $((cut - 2)) $((cut - 1)) \
            $((2 * cut - 3)) $((cut - 2)) "$name" >>"$script"
        else
          printf ' +crop[0] %d,%d,%d,%d +mirror[-1] x +crop[-2] 0,0,%d,%d append[-3--1] x crop[-1] 0,0,767,220 +mirror[-1] y append[-2,-1] y output[-1] %s remove[-1]' \
            "$x" "$y" $((x + cut - 1)) $((y + cut - 1)) $((cut - 1)) $((cut - 1)) "$name" >>"$script"
        fi
      fi
    done <"$work/positions"
    if [ "$tool" = magick ]; then
      printf ' null:\n' >>"$script"
    else
      printf '\n' >>"$script"
    fi
  done
}

run_peer() {
  local tool=$1 procs=$2 p
  for ((p = 0; p < procs; p++)); do
    bash "$work/$tool-$p.sh" >/dev/null 2>&1 &
  done
  wait
}

# Median wall seconds of the command over the repeats; the output folder
# is emptied before each.
median_seconds() {
  local out=$1 r start end
  shift
  local times=()
  for ((r = 0; r < repeats; r++)); do
    rm -rf "$out" && mkdir -p "$out"
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    end=$EPOCHREALTIME
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END {
    if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
min() { printf '%s\n' "$@" | sort -n | head -1; }

echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'); load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$count tiles, cut $cut, seed $seed, from a ${width}x${height} JPEG; median of $repeats; seconds"
echo
printf '%-18s %9s %7s %8s %8s %7s %7s %9s %10s %8s\n' case quillmore floor magick-1 \
  "magick-$cores" gmic-1 "gmic-$cores" q/floor peer/q "peak MiB"

for method in rectangle kaleidoscope; do
  code=5
  size=(--size "$cut" --width "$cut")
  if [ "$method" = kaleidoscope ]; then
    code=1
    size=(--size "$cut")
  fi
  for ext in png jpg bmp; do
    format=$ext
    quality=()
    if [ "$ext" = jpg ]; then
      format=jpeg
      quality=(--quality 90)
    fi
    out=$work/out
    q_args=("$cli" --file "$photo" --method "$method" "${size[@]}" --count "$count"
      --format "$format" "${quality[@]}" --seed "$seed" --out "$out")
    q=$(median_seconds "$out" "${q_args[@]}")
    rm -rf "$out" && mkdir -p "$out"
    peak_kib=$(/usr/bin/time -v "${q_args[@]}" 2>&1 >/dev/null |
      awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }')

    mkdir -p "$work/floor"
    floor=$("$build/bench/encode_floor" "$photo" "$code" "$ext" "$work/floor" "$count" "$repeats" "$seed")
    rm -rf "$work/floor"

    peer_times=()
    for tool in magick gmic; do
      for procs in 1 "$cores"; do
        peer_scripts "$tool" "$method" "$ext" "$procs" "$work/peer"
        peer_times+=("$(median_seconds "$work/peer" run_peer "$tool" "$procs")")
        made=$(find "$work/peer" -type f | wc -l)
        if [ "$made" -ne "$count" ]; then
          echo "$tool in $procs process(es) wrote $made of $count $ext tiles" >&2
          exit 1
        fi
        if [ "$method" = rectangle ] && [ "$ext" = png ] && [ "$procs" = 1 ]; then
          rm -rf "$work/peer" "$out" && mkdir -p "$work/peer" "$out"
          run_peer "$tool" 1
          "$cli" --file "$photo" --method "$method" "${size[@]}" --count 1 --format png \
            --seed "$seed" --out "$out" >/dev/null
          differing=$(compare -metric AE "$out/image001.png" "$work/peer/001.png" null: 2>&1 || true)
          echo "check: $tool's first rectangle tile differs from Quillmore's in $differing pixels" >&2
        fi
      done
    done
    best_peer=$(min "${peer_times[@]}")
    printf '%-18s %9s %7s %8s %8s %7s %7s %9s %10s %8s\n' "$method $ext" "$q" "$floor" \
      "${peer_times[@]}" "$(ratio "$q" "$floor")" "$(ratio "$best_peer" "$q")" \
      "$(awk -v k="$peak_kib" 'BEGIN { printf "%.1f", k / 1024 }')"
  done
done
echo
echo "q/floor: Quillmore's time over the floor's; peer/q: the fastest peer recipe's time over Quillmore's"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
