#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What smooth edges cost a whole run: quillmore-cli making 10 seeded BMP
# tiles at cut 256 from a photograph of the fixtures (640 x 400, --fit 100),
# plain and with --smooth 3 (and 4), per built-in method; the median wall
# seconds of 5 runs and the ratio to the plain run. Then the peak resident
# memory of one smoothed kaleidoscope tile at cut 2048 (--large --smooth 3,
# the factor lowered to 2) from a drawing of 2560 pixels square.
#
#   bench/smooth-run.sh [quillmore-cli]   (default build/release/cli/quillmore-cli)
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${1:-build/release/cli/quillmore-cli}
if [[ $# -eq 0 ]]; then
  [[ -f build/release/CMakeCache.txt ]] ||
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/release --target quillmore-cli >/dev/null
fi
cli=$(realpath "$cli")
work=$(mktemp -d /tmp/smooth-run.XXXXXX)
trap 'rm -rf "$work"' EXIT
photo=tests/fixtures/photos/Garden.jpg

# The median milliseconds of 5 runs with the options.
median() {
  for _ in 1 2 3 4 5; do
    rm -rf "$work/out" && mkdir "$work/out"
    local start=$(date +%s%N)
    "$cli" --file "$photo" --size 256 --fit 100 --count 10 --seed 5 --out "$work/out" "$@" >/dev/null
    echo $((($(date +%s%N) - start) / 1000000))
  done | sort -n | sed -n 3p
}

printf '| method | plain, ms | K = 3, ms | ratio | K = 4, ms | ratio |\n|---|---|---|---|---|---|\n'
for method in kaleidoscope carpet tablecloth tile floral distorted-square rectangle none; do
  extra=()
  [[ $method != distorted-square ]] || extra=(--rotate 7)
  plain=$(median --method "$method" "${extra[@]}")
  three=$(median --method "$method" "${extra[@]}" --smooth 3)
  four=$(median --method "$method" "${extra[@]}" --smooth 4)
  printf '| %s | %s | %s | %.1f | %s | %.1f |\n' "$method" "$plain" "$three" \
    "$(bc -l <<<"$three / $plain")" "$four" "$(bc -l <<<"$four / $plain")"
done

python3 - "$work/drawing.bmp" <<'PYTHON'
import math, struct, sys
side = 2560
row = (3 * side + 3) // 4 * 4
data = bytearray()
for y in range(side - 1, -1, -1):
    line = bytearray(row)
    for x in range(side):
        line[3 * x:3 * x + 3] = bytes((230 if (x * 0.174 + y * 0.985) // 22 % 2 else 25,
                                       210 if (x * 0.5 - y * 0.866) // 18 % 2 else 20,
                                       240 if (x * 0.966 + y * 0.259) // 14 % 2 else 35))
    data += line
header = b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 24, 0, len(data), 2835, 2835, 0, 0)
open(sys.argv[1], "wb").write(header + info + data)
PYTHON
rm -rf "$work/out" && mkdir "$work/out"
# The factor's lowering is said on standard error, before the time's line.
/usr/bin/time -f 'smoothed kaleidoscope tile, cut 2048: peak %M KiB, %e s' "$cli" --file "$work/drawing.bmp" \
  --size 2048 --large --smooth 3 --out "$work/out" 2>&1 >/dev/null
