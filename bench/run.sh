#!/usr/bin/env bash
# Builds the benchmarks in a Release tree, runs them, and prints a short table: FindWord and a
# whole keystroke over 10,000, 100,000 and 1,000,000 headwords, the decoding and the encoder
# per byte, vqbuild on 1,000,000 entries (time and peak memory), and the window's start and a
# keystroke on the bundled dictionary beside the CLDR sample that it replaced, in one run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARKAM_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target dictionary_bench vqbuild >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The bundled dictionary, and the 4,281-entry CLDR sample that 1.3.1 shipped (from the history).
"$build/tools/vqbuild" --merge-case -o "$work/bundled" "$root/data/dictionary.tsv" >/dev/null
sample_commit=$(git -C "$root" log -1 --format=%H -- data/sample-dictionary.tsv)
git -C "$root" show "$sample_commit^:data/sample-dictionary.tsv" >"$work/sample.tsv"
"$build/tools/vqbuild" --merge-case -o "$work/sample" "$work/sample.tsv" >/dev/null

VARKAM_BENCH_DICTIONARIES="sample=$work/sample;bundled=$work/bundled" \
  "$build/bench/dictionary_bench" --benchmark_min_time=0.5 --benchmark_format=json \
  >"$work/bench.json" 2>/dev/null

# One million source lines: the word list's words and their forms, with Persian meanings.
python3 "$root/bench/make_entries.py" 1000000 "$work/million.tsv"
/usr/bin/time -f "%e %M" -o "$work/vqbuild.time" \
  "$build/tools/vqbuild" -o "$work/million" "$work/million.tsv" >/dev/null

count() { head -c 4 "$1/Dat02.vq" | od -An -tu4 | tr -d ' '; }
python3 - "$work/bench.json" "$work/vqbuild.time" "$(count "$work/sample")" \
  "$(count "$work/bundled")" <<'PY'
import json, sys
data = json.load(open(sys.argv[1]))
rows = {b["name"]: b for b in data["benchmarks"]}
def us(name):
    b = rows[name]
    scale = {"ns": 1e-3, "us": 1, "ms": 1e3}[b["time_unit"]]
    return b["real_time"] * scale
print("| operation | 10,000 | 100,000 | 1,000,000 |")
print("|---|---|---|---|")
for label, name in [("FindWord, exact hit", "BM_FindWordExact"),
                    ("FindWord, prefix", "BM_FindWordPrefix"),
                    ("FindWord, inflected (stemmed searches)", "BM_FindWordInflected"),
                    ("FindWord, miss", "BM_FindWordMiss"),
                    ("one keystroke: FindWord, entry, meaning, 24 rows", "BM_Keystroke")]:
    print(f"| {label} | " + " | ".join(f"{us(f'{name}/{n}'):.1f} µs" for n in (10000, 100000, 1000000)) + " |")
for label, name in [("PersianToUnicode", "BM_PersianToUnicode"), ("UnicodeToPersian", "BM_UnicodeToPersian")]:
    b = rows[name]
    print(f"| {label}, per byte | {1000 / (b['bytes_per_second'] / 1e6):.1f} ns | | |")
seconds, kilobytes = open(sys.argv[2]).read().split()
print(f"| vqbuild, 1,000,000 entries | {float(seconds):.1f} s, peak {int(kilobytes) // 1024} MiB | | |")
print()
print(f"| side by side, one run | 1.3.1's CLDR sample ({sys.argv[3]} headwords) |"
      f" bundled dictionary ({sys.argv[4]} headwords) |")
print("|---|---|---|")
for label, name in [("the window's start: files opened, entry 1 and its page shown", "BM_StartUp"),
                    ("one keystroke: FindWord, entry, meaning, 24 rows", "BM_KeystrokeOn")]:
    print(f"| {label} | {us(name + '/sample'):.2f} µs | {us(name + '/bundled'):.2f} µs |")
PY
echo
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'),"\
  "$(free -g | awk '/Mem:/ {print $2}') GiB"
