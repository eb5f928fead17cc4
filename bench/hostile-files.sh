#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Peak memory and time of quillmore-cli reading files that claim far more
# pixels than they hold (tests/fixtures/hostile/make-hostile.py writes them,
# with --large also 20 MB of RLE runs in a 64 x 64 picture, a sparse 1 GiB
# file starting with "BM" and a valid flat 8000 x 6000 PNG of 47 KB). Each
# file is one run making one 32-pixel tile; a refused file ends with the
# decoder's message and exit status 1.
#
#   bench/hostile-files.sh [quillmore-cli]   (default build/dev/cli/quillmore-cli)
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${1:-build/dev/cli/quillmore-cli}
if [[ $# -eq 0 ]]; then
  [[ -f build/dev/CMakeCache.txt ]] || cmake -S . -B build/dev -G Ninja >/dev/null
  cmake --build build/dev --target quillmore-cli >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/files" "$work/out"
python3 tests/fixtures/hostile/make-hostile.py --large "$work/files"

printf '%-36s %11s %6s %10s %8s %8s\n' file bytes exit "peak KiB" "cpu s" "wall s"
for file in "$work"/files/*; do
  status=0
  /usr/bin/time -f '%M %U %S %e' -o "$work/time" "$cli" --file "$file" --size 32 --count 1 \
    --out "$work/out" >/dev/null 2>"$work/err" || status=$?
  read -r peak user sys wall < <(tail -n 1 "$work/time")
  printf '%-36s %11s %6s %10s %8.2f %8.2f\n' "$(basename "$file")" "$(stat -c %s "$file")" \
    "$status" "$peak" "$(echo "$user + $sys" | bc)" "$wall"
done
