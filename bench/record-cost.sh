#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What the run record costs: a run of 100 seeded tiles from the sample
# picture (cut 32, BMP), with and without --record, into a folder of the
# build on its disk and into /dev/shm (memory, where writing a file costs
# next to nothing), median wall, user and system seconds of 7 runs. The
# record is rewritten after every tile, each time through a temporary file
# flushed with fsync(2) and renamed over it; rendering it is the part that
# /dev/shm shows. Then the replay of records that it refuses before they
# are parsed into a document: 100 MB of JSON, and 16 MiB of nested arrays.
#
#   bench/record-cost.sh [quillmore-cli]   (default build/release/cli/quillmore-cli)
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${1:-build/release/cli/quillmore-cli}
if [[ $# -eq 0 ]]; then
  [[ -f build/release/CMakeCache.txt ]] ||
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/release --target quillmore-cli >/dev/null
fi

disk=$(mktemp -d build/record-cost.XXXXXX)
shm=$(mktemp -d /dev/shm/record-cost.XXXXXX)
trap 'rm -rf "$disk" "$shm"' EXIT

printf '%-10s %-8s %8s %8s %8s\n' folder run "wall s" "user s" "sys s"
for folder in "$disk" "$shm"; do
  for mode in plain --record; do
    for _ in 1 2 3 4 5 6 7; do
      rm -rf "$folder/out" && mkdir "$folder/out"
      args=(--file resources/sample.jpg --count 100 --seed 3 --out "$folder/out")
      [[ $mode == plain ]] || args+=(--record)
      /usr/bin/time -f '%e %U %S' "$cli" "${args[@]}" 2>&1 >/dev/null | tail -n 1
    done | sort -n | sed -n 4p | {
      read -r wall user sys
      printf '%-10s %-8s %8s %8s %8s\n' "${folder%%/record-cost*}" "$mode" "$wall" "$user" "$sys"
    }
  done
done

python3 - "$shm" <<'PY'
import sys
folder = sys.argv[1]
with open(f"{folder}/large.json", "w") as f:
    f.write('{"a": [' + "0," * (50 << 20) + "0]}")
with open(f"{folder}/many.json", "w") as f:
    f.write('{"a": [' + ",".join(["{}"] * ((16 << 20) // 3 - 4)) + "]}")
PY
printf '\n%-10s %10s %8s %9s  %s\n' record bytes "wall s" "peak KiB" message
for name in large many; do
  /usr/bin/time -f '%e %M' -o "$shm/time" "$cli" --replay "$shm/$name.json" 2>"$shm/err" >/dev/null || true
  read -r wall peak < <(tail -n 1 "$shm/time")
  printf '%-10s %10s %8s %9s  %s\n' "$name" "$(stat -c %s "$shm/$name.json")" "$wall" "$peak" \
    "$(head -n 1 "$shm/err")"
done
