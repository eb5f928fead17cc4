#!/usr/bin/env bash
# Builds Quillmore. The generation run and its command-line front end are
# still being built; until they land this only builds the libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release
echo "Built in build/release. The command-line front end is not there yet."
