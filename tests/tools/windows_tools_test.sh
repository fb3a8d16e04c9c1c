#!/usr/bin/env bash
# The data tools built for Windows, run under Wine as a Windows user runs them: Unicode folder
# names, Persian on a pipe as UTF-8, the same files as the Linux build, the round trip through
# vqdump, a StarDict dictionary, and the dictionary a build replaces kept.
# Usage: windows_tools_test.sh WINE_RUN TOOLS_DIR DICTIONARY_DIR DICTIONARY_SOURCE
set -u
wine_run=$1 tools=$2 dictionary=$3 source=$4
source "$(cd "$(dirname "$0")" && pwd)/../support/check.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
run() { "$wine_run" "$tools/$1.exe" "${@:2}"; }
same_files() {  # same_files A B: "same" when the four data files are byte for byte alike
  for file in Dat01.vq Dat02.vq Dat03.vq Dat04.vq; do
    cmp -s "$1/$file" "$2/$file" || { echo "$file differs"; return; }
  done
  echo same
}

folder="فرهنگ"
mkdir "$folder" && cp "$source" "$folder/واژه‌ها.tsv"
run vqbuild --merge-case -o "$folder" "$folder/واژه‌ها.tsv" >/dev/null 2>&1
check "vqbuild.exe in a Persian-named folder" 0 "$?"
check "the same files as the Linux build" same "$(same_files "$folder" "$dictionary")"

# A meaning's first sense: its line breaks are written as \r\n.
first_sense() { cut -f2,3 | sed 's/\\r\\n.*//'; }
answer=$(run vqlookup -d "$folder" dog | first_sense)
check "vqlookup.exe writes UTF-8 to a pipe" $'dog\tسگ' "$answer"
answer=$(printf 'dogs\r\n' | run vqlookup -d "$folder" | first_sense)
check "vqlookup.exe reads queries from a pipe" $'dogs\tسگ' "$answer"

run vqdump -d "$folder" >dump.tsv && run vqbuild -o again dump.tsv >/dev/null 2>&1
check "vqdump.exe, vqbuild.exe" same "$(same_files again "$folder")"

run vqbuild -o "$folder" dump.tsv >/dev/null 2>&1
check "a build keeps the dictionary it replaces" same "$(same_files "$folder/previous" again)"

# A StarDict dictionary in a Persian-named folder: "cat" and "dog", plain text meanings.
mkdir "$folder/stardict"
printf 'StarDict'"'"'s dict ifo file\nversion=2.4.2\nbookname=t\nwordcount=2\nsametypesequence=m\n' \
  >"$folder/stardict/t.ifo"
printf 'گربه' >"$folder/stardict/t.dict" && printf 'سگ' >>"$folder/stardict/t.dict"
printf 'cat\0\0\0\0\0\0\0\0\x08dog\0\0\0\0\x08\0\0\0\x04' >"$folder/stardict/t.idx"
run vqbuild -o star "$folder/stardict/t.ifo" >/dev/null 2>&1
check "vqbuild.exe reads StarDict" 0 "$?"
check "its meanings" $'cat\tگربه\ndog\tسگ' "$(run vqlookup -d star cat dog | cut -f2,3)"

message=$(run vqlookup -d missing dog 2>&1)
check "vqlookup.exe without a dictionary" "2 Some file was not founded" "$? ${message//$'\r'/}"

summary
