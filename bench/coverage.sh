#!/usr/bin/env bash
# Compiles the bundled dictionary in a Release tree and prints how many of the most common
# English words, and of the content words of an English prose text, have an entry of their own
# (bench/coverage.py says what counts). Misses among the words go to build/release/misses.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARKAM_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target vqlookup bundled_dictionary >/dev/null
python3 "$root/bench/coverage.py" "$build/tools/vqlookup" "$build/dictionary" \
  --misses "$build/misses.txt"
