#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, each from its own corpus and the committed
# reproducers in fuzz/regressions/TARGET/, and says how it went.
# Usage: run.sh FUZZ_BUILD_DIR SECONDS_EACH
set -u
bin=$1 seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
passed=0 failed=0
for target in dictionary persian_decode persian_round_trip settings text_format stardict \
  stardict_packed stardict_packed_index; do
  corpus="$bin/corpus/$target"
  mkdir -p "$corpus" "$here/regressions/$target"
  # Texts long enough to pass the stored meaning's limit many times over.
  case $target in
    persian_round_trip | text_format) longest=131072 ;;
    *) longest=4096 ;;
  esac
  if "$bin/fuzz_$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
      -max_len="$longest" \
      -artifact_prefix="$bin/crash-$target-" "$corpus" "$here/regressions/$target" \
      >"$bin/$target.log" 2>&1; then
    passed=$((passed + 1))
    echo "fuzz_$target: $(grep -o 'Done [0-9]* runs' "$bin/$target.log" | tail -1)"
  else
    failed=$((failed + 1))
    echo "fuzz_$target FAILED:"
    tail -30 "$bin/$target.log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
