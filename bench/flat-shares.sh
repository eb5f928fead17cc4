#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Prints the share of dull tiles (luminance standard deviation less its
# best-fitting plane below 6) at cuts 64, 128 and 256, without and with flat
# pieces skipped, for the given photographs or, without any, the small
# copies in tests/fixtures/photos. bench/dull-shares.sh measures larger
# photographs fitted to the cut.
#
#   bench/flat-shares.sh [--level N] [--tiles N] [PHOTO...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build/dev}
[[ -f "$build/CMakeCache.txt" ]] || cmake -S "$here" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target flat_shares >/dev/null
args=("$@")
if ! printf '%s\n' "${args[@]}" | grep -qv -- '^--\|^[0-9]*$'; then
  args+=("$here"/tests/fixtures/photos/*.jpg)
fi
"$build/bench/flat_shares" "${args[@]}"
