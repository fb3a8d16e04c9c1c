#!/usr/bin/env bash
# Builds the dictionary and its sample data, then looks words up in it: the WORDs given, or
# one word a line typed on standard input.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

build="$root/build/native"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARKAM_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target vqlookup sample_dictionary >/dev/null

if [ $# -eq 0 ] && [ -t 0 ]; then
  echo "Type an English word and Enter to see its Persian meaning; Ctrl-D ends."
fi
exec "$build/tools/vqlookup" -d "$build/dictionary" "$@"
