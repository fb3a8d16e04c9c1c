#!/usr/bin/env bash
# The data tools as a user runs them: vqlookup on the bundled dictionary, its answer for a
# missing data file, vqbuild's exit codes, and vqdump compiled back to the same files; then
# as a hostile user runs them: pipes and folders in the wrong places, a file-size limit,
# builds into one folder at once, a data file cut short under a running lookup.
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

# A file-size limit ends a build with a message, and the dictionary there stays.
message=$( (ulimit -f 8; "$tools/vqbuild" -o "$work/first" "$work/dump.txt" 2>&1 >/dev/null) )
check "vqbuild under a file-size limit" "2 File too large" \
  "$? $(grep -o 'File too large' <<<"$message")"
check "its dictionary stays" "same" \
  "$(cmp -s "$work/first/Dat01.vq" "$work/again/Dat01.vq" && echo same || echo differs)"

# Builds into one folder at once take turns: each ends well, and the folder holds one whole
# dictionary with the one before it kept.
for n in 1 2 3 4; do
  printf 'word\tw%s\nwords\tw%s\n' "$n" "$n" >"$work/turn$n.txt"
done
pids=()
for n in 1 2 3 4; do
  "$tools/vqbuild" -o "$work/turns" "$work/turn$n.txt" >/dev/null 2>&1 &
  pids+=($!)
done
codes=""
for pid in "${pids[@]}"; do
  wait "$pid"
  codes+="$? "
done
check "four builds into one folder at once" "0 0 0 0 " "$codes"
for place in "$work/turns" "$work/turns/previous"; do
  answers=$("$tools/vqlookup" -d "$place" word words | cut -f3 | sort -u | wc -l)
  check "one whole dictionary in $place" 1 "$answers"
done
check "nothing else left in the folder" "Dat01.vq Dat02.vq Dat03.vq Dat04.vq previous" \
  "$(ls "$work/turns" | tr '\n' ' ' | sed 's/ $//')"

# A build that never lets go of the folder, as a program that stopped answering: the next one
# waits as long as --wait says, then gives up with the folder as it was.
exec 4>>"$work/turns/vqbuild.lock"
flock 4
before=$(cat "$work/turns/Dat01.vq" | od -An -tx1 | tr -d ' \n')
message=$("$tools/vqbuild" --wait 1 -o "$work/turns" "$work/turn1.txt" 2>&1)
check "a build that waits for a holder that never lets go" "2 $work/turns (it holds" \
  "$? $(grep -o "$work/turns (it holds" <<<"$message")"
check "the folder it gave up on" "$before" "$(od -An -tx1 <"$work/turns/Dat01.vq" | tr -d ' \n')"
exec 4>&-
"$tools/vqbuild" --wait 1 -o "$work/turns" "$work/turn1.txt" >/dev/null 2>&1
check "the build once the holder lets go" "0 w1" \
  "$? $("$tools/vqlookup" -d "$work/turns" word | cut -f3)"
"$tools/vqbuild" --wait soon -o "$work/turns" "$work/turn1.txt" >/dev/null 2>&1
check "--wait without a number" 2 "$?"

# A data file cut short in place while vqlookup reads queries from a pipe: the answer to a query
# comes before vqlookup waits for the next one, the answers found before the fault are written,
# and the fault is said.
long=$(printf 'x%.0s' $(seq 150))
for n in $(seq -w 1 3000); do printf 'w%s\tm%s %s\n' "$n" "$n" "$long"; done >"$work/long.txt"
"$tools/vqbuild" -o "$work/cut" "$work/long.txt" >/dev/null
mkfifo "$work/queries"
"$tools/vqlookup" -d "$work/cut" <"$work/queries" >"$work/answers" 2>"$work/said" &
pid=$!
exec 3>"$work/queries"
printf 'w0001\n' >&3
for _ in $(seq 100); do [ -s "$work/answers" ] && break; sleep 0.1; done
check "an answer before the next query" "w0001" "$(cut -f2 "$work/answers")"
truncate -s 4096 "$work/cut/Dat03.vq"
printf 'w0002\nw2999\nw0003\n' >&3
exec 3>&-
wait "$pid"
check "vqlookup when a data file is cut short under it" 2 "$?"
check "the answers found before it are kept" $'w0001\nw0002' "$(cut -f2 "$work/answers")"
check "and it says so" "vqlookup: a data file in $work/cut was cut short by another program while \
this ran; the answers before it are written" "$(cat "$work/said")"

summary
