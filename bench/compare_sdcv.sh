#!/usr/bin/env bash
# Side by side with the console StarDict client sdcv, in one run on the same machine: the same
# 100,000 entries (converted with stardict-tools' tabfile), the same queries given to one process
# each as arguments. Exact hits (10,000 headwords) and misses (1,000 words the dictionary lacks,
# where sdcv falls back to a fuzzy search that takes minutes for more) are separate rows; each gives both programs' wall
# time and peak memory, as bench/measure.cpp reads them for the one child it starts.
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
cmake --build "$build" -j "$(nproc)" --target vqbuild vqlookup measure >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

python3 "$root/bench/make_entries.py" 100000 words.txt
/usr/lib/stardict-tools/tabfile words.txt >/dev/null 2>&1
mkdir stardict && mv words.ifo words.idx words.dict.dz stardict/
"$build/tools/vqbuild" -o varkam words.txt >/dev/null
python3 - <<'PY'
import random
random.seed(10000)
words = [line.split("\t", 1)[0] for line in open("words.txt", encoding="utf-8")]
known = {word.lower() for word in words}
with open("hits.txt", "w") as out:
    out.writelines(word + "\n" for word in random.sample(words, 10000))
misses = []
while len(misses) < 1000:
    word = random.choice(words)[:24] + random.choice(["qz", "xq", "zzk"])
    if word.lower() not in known:
        misses.append(word)
with open("misses.txt", "w") as out:
    out.writelines(word + "\n" for word in misses)
PY
export XDG_CACHE_HOME="$work/cache"
sdcv -n --data-dir stardict dog >/dev/null  # its index cache, made once

measure() {  # measure PROGRAM QUERIES COMMAND...: prints "seconds kibibytes"
  local queries
  mapfile -t queries <"$work/$2.txt"
  "$build/bench/measure" "$work/$1-$2.out" "${@:3}" "${queries[@]}"
}
results=()
for kind in hits misses; do
  results+=("$(measure sdcv "$kind" sdcv -n --data-dir stardict)")
  results+=("$(measure vqlookup "$kind" "$build/tools/vqlookup" -d varkam)")
done
# Both answer every query: one vqlookup line a query, and sdcv found every hit.
for kind in hits misses; do
  [ "$(wc -l <"vqlookup-$kind.out")" -eq "$(wc -l <"$kind.txt")" ] ||
    { echo "vqlookup lost answers"; exit 1; }
done
[ "$(grep -c '^Found 1 items' sdcv-hits.out)" -eq 10000 ] || { echo "sdcv missed a hit"; exit 1; }

python3 - "${results[@]}" <<'PY'
import sys
(sh_t, sh_m), (vh_t, vh_m), (sm_t, sm_m), (vm_t, vm_m) = (
    (float(t), int(m) / 1024) for t, m in (r.split() for r in sys.argv[1:]))
print("| 100,000 entries | sdcv 0.5 | vqlookup | sdcv / vqlookup |")
print("|---|---|---|---|")
for label, s_t, s_m, v_t, v_m in [("10,000 exact hits", sh_t, sh_m, vh_t, vh_m),
                                  ("1,000 misses (sdcv: fuzzy search)", sm_t, sm_m, vm_t, vm_m)]:
    print(f"| {label}: wall time | {s_t:.3f} s | {v_t:.3f} s | {s_t / max(v_t, 0.001):.1f}x |")
    print(f"| {label}: peak memory | {s_m:.1f} MiB | {v_m:.1f} MiB | {s_m / v_m:.1f}x |")
PY
