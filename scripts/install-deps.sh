#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building and running Quillmore need;
# with --tests also those of the test suite, the package check, the
# benchmarks and the fuzzers. Quiet and without network access when
# everything is already there.
#
#   scripts/install-deps.sh [--tests]
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config gettext
  libjpeg62-turbo-dev libpng-dev zlib1g-dev
  libcli11-dev libstb-dev libexif-dev nlohmann-json3-dev nettle-dev
  qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic xdg-utils
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool
  clang libclang-rt-dev
  chromium python3
  dpkg-dev file desktop-file-utils appstream groff-base man-db
)

case "${1:-}" in
  "") ;;
  --tests) packages+=("${test_packages[@]}") ;;
  *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
