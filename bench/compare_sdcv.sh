#!/usr/bin/env bash
# Side by side with the console StarDict client sdcv: the same 100,000 entries (converted with
# stardict-tools' tabfile), the same 10,000 queries in one process each; wall time and peak
# memory for both, and their ratio.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
missing=()
for package in sdcv stardict-tools; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  [ "$(id -u)" -eq 0 ] || { echo "needs root to install ${missing[*]}"; exit 2; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARKAM_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target vqbuild vqlookup >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

python3 "$root/bench/make_entries.py" 100000 words.txt
/usr/lib/stardict-tools/tabfile words.txt >/dev/null 2>&1
mkdir stardict && mv words.ifo words.idx words.dict.dz stardict/
"$build/tools/vqbuild" -o varkam words.txt >/dev/null
# 10,000 queries: headwords, prefixes and inflected forms, the same for both.
python3 - <<'PY'
import random
random.seed(10000)
words = [line.split("\t", 1)[0] for line in open("words.txt", encoding="utf-8")]
with open("queries.txt", "w") as out:
    for i in range(10000):
        word = random.choice(words)
        out.write([word, word[: max(1, len(word) // 2)], word + "ing"][i % 3] + "\n")
PY
mapfile -t queries <queries.txt
export XDG_CACHE_HOME="$work/cache"
sdcv -n --data-dir stardict "${queries[0]}" >/dev/null  # its index cache, made once

measure() {  # measure NAME COMMAND...: prints "seconds kilobytes"
  /usr/bin/time -f "%e %M" -o "$work/$1.time" "${@:2}" >"$work/$1.out"
  cat "$work/$1.time"
}
read -r sdcv_seconds sdcv_kb < <(measure sdcv sdcv -n --data-dir stardict "${queries[@]}")
read -r vq_seconds vq_kb < <(measure vqlookup "$build/tools/vqlookup" -d varkam "${queries[@]}")
python3 - "$sdcv_seconds" "$sdcv_kb" "$vq_seconds" "$vq_kb" <<'PY'
import sys
s_t, s_m, v_t, v_m = float(sys.argv[1]), int(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4])
print("| 10,000 queries, 100,000 entries | wall time | peak memory |")
print("|---|---|---|")
print(f"| sdcv 0.5 (StarDict) | {s_t:.2f} s | {s_m / 1024:.1f} MiB |")
print(f"| vqlookup (Varkam) | {v_t:.2f} s | {v_m / 1024:.1f} MiB |")
print(f"| ratio sdcv / vqlookup | {s_t / max(v_t, 0.005):.1f}x | {s_m / v_m:.1f}x |")
PY
