# The shell tests' one check, sourced: check NAME EXPECTED ACTUAL counts a pass or shows the
# difference; `summary` prints the closing line and fails the run if any check failed.
passed=0 failed=0
check() {
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}
summary() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
