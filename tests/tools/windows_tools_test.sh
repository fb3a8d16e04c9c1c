#!/usr/bin/env bash
# The data tools built for Windows, run under Wine as a Windows user runs them: Unicode folder
# names, Persian on a pipe as UTF-8, the same files as the Linux build, the round trip through
# vqdump, a StarDict dictionary, and the dictionary a build replaces kept; a folder deeper than
# 260 characters, a lock another program holds, a source larger than memory.
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
answer=$(printf 'dog\r\n  DOG \r\n' | run vqlookup -d "$folder" | first_sense)
check "vqlookup.exe reads queries from a pipe" $'dog\tسگ\ndog\tسگ' "$answer"

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

# A folder so deep that previous\Dat01.vq lies past 260 characters: each build ends, and the
# second keeps the dictionary it replaced.
deep="deep/$(printf 'd%.0s' $(seq 100))/$(printf 'e%.0s' $(seq 100))/$(printf 'f%.0s' $(seq 60))"
mkdir -p "$deep"
timeout 120 "$wine_run" "$tools/vqbuild.exe" -o "$deep" dump.tsv >/dev/null 2>&1 &&
  timeout 120 "$wine_run" "$tools/vqbuild.exe" -o "$deep" dump.tsv >/dev/null 2>&1
check "vqbuild.exe twice into a folder past 260 characters" 0 "$?"
check "the dictionary replaced there is kept" same "$(same_files "$deep/previous" again)"

# Another program holds the folder's lock and never lets go: vqbuild.exe waits as long as
# --wait says, then gives up with a message that shows the path as Windows writes it.
mkdir held && mkfifo queries
"$wine_run" cmd /c "Z:$tools/vqlookup.exe -d again > held\vqbuild.lock" <queries >/dev/null 2>&1 &
exec 5>queries
for _ in $(seq 100); do [ -e held/vqbuild.lock ] && break; sleep 0.1; done
sleep 1
message=$(timeout 60 "$wine_run" "$tools/vqbuild.exe" --wait 1 -o held dump.tsv 2>&1)
check "vqbuild.exe when another holds the folder" \
  "2 vqbuild: another build is still writing into held (it holds held\vqbuild.lock); it may \
have stopped answering. Nothing was written" "$? $(grep -v waiting <<<"${message//$'\r'/}")"
exec 5>&-
mkdir windows && printf 'no tab\n' >windows/bad.txt
message=$(run vqbuild -o bad 'windows\bad.txt' 2>&1 | head -1)
check "a Windows path in a message, as written" \
  'windows\bad.txt:1: no tab between the headword and the meaning' "${message//$'\r'/}"

# A source larger than memory is named with its size, at once.
truncate -s 8T huge.tsv
message=$(timeout 120 "$wine_run" "$tools/vqbuild.exe" -o big huge.tsv 2>&1)
check "vqbuild.exe of a source too large for memory" \
  "2 vqbuild: huge.tsv: too large to read into memory (8796093022208 bytes)" \
  "$? ${message//$'\r'/}"

summary
