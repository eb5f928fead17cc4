#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Prints the share of dull tiles (luminance standard deviation less its
# best-fitting plane below 6) without and with flat pieces skipped, on
# photographs with large plain areas from Debian's mate-backgrounds and
# lomiri-wallpapers-20.04 (installed when missing) and on a drawn picture of
# gradients: 20 tiles a photograph and 40 on the drawn picture, at cut 128
# with the picture fitted at 25 %; then the same over 50 seeded runs, with
# the dullest run in brackets.
#
#   bench/dull-shares.sh [--level N]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build/dev}
"$here/scripts/install-missing.sh" mate-backgrounds lomiri-wallpapers-20.04
[[ -f "$build/CMakeCache.txt" ]] || cmake -S "$here" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target flat_shares >/dev/null
nature=/usr/share/backgrounds/mate/nature
photos=("$nature"/{Aqua,Dune,Garden,Storm,TwoWings,Wood,YellowFlower}.jpg
        /usr/share/backgrounds/{Kleiber_by_Lukas_Baubkus,Infinite-Sea_by_Aury88}.jpg)
for runs in 1 50; do
  "$build/bench/flat_shares" "$@" --fit 25 --cut 128 --tiles 20 --runs "$runs" --drawn 40 "${photos[@]}"
done
