#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The main job on a fresh machine: installs what building and running need,
# builds everything a user gets into build/release (quillmore-cli, the
# desktop program build/release/gui/quillmore with its help page, the sample
# plug-ins in build/release/plugins/), and lets quillmore-cli make twelve
# kaleidoscope tiles (PNG) and their HTML index page from the sample picture
# that ships with Quillmore (resources/sample.jpg, IJG licence in
# resources/sample-LICENSE.txt).
#
#   scripts/run-sample.sh [OUTPUT-FOLDER]     (default: ./sample-output)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-sample-output}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build/release"

mkdir -p "$output"
output=$(cd "$output" && pwd)
"$root/build/release/cli/quillmore-cli" \
  --file "$root/resources/sample.jpg" \
  --method kaleidoscope --size 64 --count 12 --format png \
  --html --html-title "Quillmore sample" --html-columns 4 \
  --out "$output"

echo "The tiles image001.png to image012.png and their index page list.html are in $output"
echo "Open $output/list.html in a browser and click a tile to see it repeated."
echo "The desktop program: $root/build/release/gui/quillmore"
