#!/usr/bin/env bash
# make test's suites, every one also after another failed (the Windows tests in the background
# beside the others), each one's output kept in build/test-logs; the output of a failing one is
# shown, then one summary: a line per suite with its count and time, and "N passed, N failed".
# Usage: test.sh [native|sanitize|format|lint|tree|dist|windows]...   (default: all, in this order)
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
# CTest with a preset and more arguments, its output to `log`; the command in `run` (an array)
# goes before it when set.
ctest_run() {
  local log=$1 preset=$2
  shift 2
  "${run[@]}" env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL ctest --preset "$preset" --output-on-failure "$@" \
    >"$log" 2>&1 </dev/null
}
# A CTest run recorded from its log: CTest's own count and time.
ctest_record() {
  local name=$1 log=$2 line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of' "$log" | tail -n 1)
  total=$(sed -nE 's/.* out of ([0-9]+).*/\1/p' <<<"$line")
  bad=$(sed -nE 's/.*passed, ([0-9]+) tests? failed.*/\1/p' <<<"$line")
  record "$name" "$log" $((${total:-0} - ${bad:-0})) "${bad:-0}" \
    "$(sed -nE 's/^Total Test time \(real\) = *([0-9.]+) sec.*/\1/p' "$log" | tail -n 1)" tests
}
ctest_suite() {
  local name=$1 preset=$2
  echo "test: $name..."
  run=(env)
  ctest_run "$logs/$preset.log" "$preset" -j "$(nproc)"
  ctest_record "$name" "$logs/$preset.log"
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
[ ${#suites[@]} -gt 0 ] || suites=(native sanitize format lint tree dist windows)
# The Windows tests start first and run beside the others: they mostly wait on the posts' pace,
# one post a second, while the others keep the processor busy. The GCC exe's tests and the Clang
# exe's (label clang) run side by side too, each in a Wine session of its own (prefix and
# display): they share nothing.
windows=()
if [[ " ${suites[*]} " == *" windows "* ]]; then
  echo "test: Windows end-to-end, the GCC and the Clang exe side by side (in the background)..."
  (run=(tools/wine/session.sh) && ctest_run "$logs/win32.log" win32 -LE clang) &
  windows+=($!)
  (run=(env TAVI_WINEPREFIX="$PWD/build/wineprefix-clang" TAVI_XVFB_FIRST=151 tools/wine/session.sh) &&
    ctest_run "$logs/win32-clang.log" win32 -L clang) &
  windows+=($!)
fi
for suite in "${suites[@]}"; do
  case $suite in
    native) ctest_suite "native" native ;;
    sanitize) ctest_suite "sanitize + fuzz smoke" sanitize ;;
    format) check_suite "format" format tools/check/format.sh --check ;;
    lint) check_suite "lint (clang-tidy)" lint tools/check/lint.sh ;;
    tree) check_suite "tree rules" tree tools/check/tree.sh ;;
    # The download built and its SHA256SUMS checked with sha256sum and with shasum.
    dist) check_suite "download (make dist)" dist tools/dist/make-dist.sh ;;
    windows)
      echo "test: waiting for the Windows end-to-end tests..."
      wait "${windows[@]}"
      ctest_record "Windows e2e, GCC exe" "$logs/win32.log"
      ctest_record "Windows e2e, Clang exe" "$logs/win32-clang.log"
      ;;
    *) echo "test: no suite \"$suite\"" >&2; exit 2 ;;
  esac
done

echo
echo "== make test =="
printf '%s\n' "${summary[@]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
