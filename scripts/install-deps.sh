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
  liblcms2-dev libheif-dev libwebp-dev libtiff-dev
  qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic xdg-utils
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool
  clang libclang-rt-dev
  chromium python3 python3-yaml parallel
  dpkg-dev file desktop-file-utils appstream groff-base man-db
  liblcms2-utils libheif-examples webp libtiff-tools
)

case "${1:-}" in
  "") ;;
  --tests) packages+=("${test_packages[@]}") ;;
  *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac

"$(dirname "$0")/install-missing.sh" "${packages[@]}"
