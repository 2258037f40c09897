#!/usr/bin/env bash
# make test's suites, one after the other (all of them, also after a failure), each one's output
# kept in build/test-logs; the output of a failing one is shown, then one summary: a line per suite
# with its count and time, and "N passed, N failed".
# Usage: test.sh [native|sanitize|format|lint|windows]...   (default: all, in this order)
set -uo pipefail
cd "$(dirname "$0")/../.."
logs=build/test-logs
mkdir -p "$logs"

summary=() passed=0 failed=0
now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }
# Records a suite: its name, log, how many passed and failed, seconds, and what was counted.
record() {
  local name=$1 log=$2 ok=$3 bad=$4 seconds=$5 what=$6
  if [ $((ok + bad)) -eq 0 ]; then bad=1 what="run (it did not start)"; fi
  passed=$((passed + ok)) failed=$((failed + bad))
  if [ "$bad" -gt 0 ]; then
    echo "---- $name failed; the end of its output ($log): ----"
    tail -n 80 "$log"
    echo "----"
  fi
  summary+=("$(printf '%-24s %4d %-7s %3d failed %7s s' "$name" $((ok + bad)) "$what" "$bad" "$seconds")")
}
# A CTest preset (run through `wrapper` when given), recorded from CTest's own count and time.
ctest_suite() {
  local name=$1 preset=$2 log="$logs/$2.log" line total bad
  shift 2
  echo "test: $name..."
  "$@" env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL ctest --preset "$preset" --output-on-failure >"$log" 2>&1 </dev/null
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of' "$log" | tail -n 1)
  total=$(sed -nE 's/.* out of ([0-9]+).*/\1/p' <<<"$line")
  bad=$(sed -nE 's/.*passed, ([0-9]+) tests? failed.*/\1/p' <<<"$line")
  record "$name" "$log" $((${total:-0} - ${bad:-0})) "${bad:-0}" \
    "$(sed -nE 's/^Total Test time \(real\) = *([0-9.]+) sec.*/\1/p' "$log" | tail -n 1)" tests
}
# A check script, recorded as one check: its name, a name for its log, the command.
check_suite() {
  local name=$1 log="$logs/$2.log" start
  shift 2
  echo "test: $name..."
  start=$(now)
  if "$@" >"$log" 2>&1 </dev/null; then record "$name" "$log" 1 0 "$(since "$start")" check
  else record "$name" "$log" 0 1 "$(since "$start")" check; fi
}

suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(native sanitize format lint windows)
for suite in "${suites[@]}"; do
  case $suite in
    native) ctest_suite "native" native env CTEST_PARALLEL_LEVEL="$(nproc)" ;;
    sanitize) ctest_suite "sanitize + fuzz smoke" sanitize env CTEST_PARALLEL_LEVEL="$(nproc)" ;;
    format) check_suite "format" format tools/check/format.sh --check ;;
    lint) check_suite "lint (clang-tidy)" lint tools/check/lint.sh ;;
    windows) ctest_suite "Windows end-to-end" win32 tools/wine/session.sh ;;
    *) echo "test: no suite \"$suite\"" >&2; exit 2 ;;
  esac
done

echo
echo "== make test =="
printf '%s\n' "${summary[@]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
