#!/usr/bin/env bash
# The data tools as a user runs them: vqlookup on the bundled dictionary, its answer for a
# missing data file, vqbuild's exit codes, and vqdump compiled back to the same files.
# Usage: command_line_test.sh TOOLS_DIR DICTIONARY_DIR DICTIONARY_SOURCE
set -u
tools=$1 dictionary=$2 source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../support/check.sh"

# A meaning's first sense: its line breaks are written as \r\n.
first_sense() { cut -f2,3 | sed 's/\\r\\n.*//'; }
dog=$("$tools/vqlookup" -d "$dictionary" dog)
check "vqlookup dog" $'dog\tسگ' "$(first_sense <<<"$dog")"

from_input=$(printf 'dogs\r\n  DOG \nzzzzzz\n' | "$tools/vqlookup" -d "$dictionary" | first_sense)
count=$(head -c 4 "$dictionary/Dat02.vq" | od -An -tu4 | tr -d ' ')
check "vqlookup reads queries a line each" $'dogs\tسگ\ndog\tسگ\n\t' "$from_input"
check "a text after every headword" "$((count + 1))" \
  "$("$tools/vqlookup" -d "$dictionary" zzzzzz | cut -f1)"

mkdir "$work/partial" && cp "$dictionary"/Dat0{1,2,4}.vq "$work/partial/"
message=$("$tools/vqlookup" -d "$work/partial" dog 2>&1)
check "vqlookup exit code with a data file missing" 2 "$?"
check "vqlookup message with a data file missing" "Some file was not founded" "$message"

printf 'dog\tx\nno tab here\n' >"$work/bad.txt"
"$tools/vqbuild" -o "$work/bad" "$work/bad.txt" >/dev/null 2>&1
check "vqbuild fails on a bad line" 1 "$?"
check "vqbuild writes nothing on a bad line" "no" "$([ -e "$work/bad" ] && echo yes || echo no)"
"$tools/vqbuild" --skip-bad -o "$work/bad" "$work/bad.txt" >/dev/null 2>&1
check "vqbuild --skip-bad" "0 1" "$? $(ls "$work/bad" | grep -c Dat03)"

"$tools/vqbuild" -o "$work/first" "$source" >/dev/null &&
  "$tools/vqdump" -d "$work/first" >"$work/dump.txt" &&
  "$tools/vqbuild" -o "$work/again" "$work/dump.txt" >/dev/null
check "vqbuild, vqdump, vqbuild" "0" "$?"
for file in Dat01.vq Dat02.vq Dat03.vq Dat04.vq; do
  check "$file again byte for byte" "same" \
    "$(cmp -s "$work/first/$file" "$work/again/$file" && echo same || echo differs)"
done

# Hostile places and ends: a pipe where a data file belongs, an answer that cannot be written,
# a folder left out, an empty source.
mkdir "$work/piped" && cp "$dictionary"/Dat0{1,2,4}.vq "$work/piped/" && mkfifo "$work/piped/Dat03.vq"
message=$(timeout 10 "$tools/vqlookup" -d "$work/piped" dog 2>&1)
check "vqlookup with a pipe for a data file" "2 $work/piped/Dat03.vq is a pipe, not a data file" \
  "$? ${message#vqlookup: }"
message=$(timeout 10 "$tools/vqdump" -d "$work/piped" 2>&1 >/dev/null)
check "vqdump with a pipe for a data file" 2 "$?"
"$tools/vqlookup" -d "$dictionary" dog >/dev/full 2>/dev/null
check "vqlookup when its answers cannot be written" 2 "$?"
"$tools/vqlookup" -d >/dev/null 2>&1
check "vqlookup -d without a folder" 2 "$?"
: >"$work/empty.txt"
message=$("$tools/vqbuild" -o "$work/first" "$work/empty.txt" 2>&1)
check "vqbuild of an empty source" "2 nothing to write" "$? $(grep -o 'nothing to write' <<<"$message")"
check "the dictionary there stays" "same" \
  "$(cmp -s "$work/first/Dat01.vq" "$work/again/Dat01.vq" && echo same || echo differs)"

summary
