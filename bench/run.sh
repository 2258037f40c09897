#!/usr/bin/env bash
# make bench: every performance figure, measured side by side in one run, printed as a
# table and kept in docs/performance.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/bench"
mkdir -p "$out"

echo "bench: style throughput (native)..."
"$root/build/native/styles_bench" --benchmark_min_time=0.2 >"$out/styles.txt" 2>/dev/null

echo "bench: under Wine (a few minutes)..."
wine_part() {
  set -euo pipefail
  cd "$root"
  bench=build/win32/bench/wine_bench.exe
  fail() { echo "bench: $*" >&2; exit 1; }
  winpath() { printf 'Z:%s' "${1//\//\\}"; }
  ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }  # user + system, all threads
  hz=$(getconf CLK_TCK)

  # `wine` execs the program in place: $! is the Windows program's own process.
  transcript="$out/cpu-transcript.txt"
  rm -f "$transcript"
  wine build/win32/roomsim.exe --transcript "$(winpath "$transcript")" >/dev/null 2>&1 &
  room=$!
  for _ in $(seq 300); do [ -s "$transcript" ] && break; sleep 0.2; done
  [ -s "$transcript" ] || fail "roomsim did not open"
  server=$(pgrep -n wineserver) || fail "no wineserver is running"
  for exe in tavi.exe bench/tavi_spinwait.exe; do
    wine "build/win32/$exe" >/dev/null 2>&1 &
    pid=$!
    wine "$bench" wait >/dev/null 2>&1 || fail "the window of $exe did not open"
    sleep 2
    before=$(ticks "$pid") serverBefore=$(ticks "$server")
    wine "$bench" run "$(winpath "$transcript")" >"$out/run.txt" 2>&1 || fail "a run of $exe did not post seven lines"
    after=$(ticks "$pid") serverAfter=$(ticks "$server")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "cpu $(basename "$exe" .exe) $(awk -v a="$before" -v b="$after" -v h="$hz" 'BEGIN {printf "%.3f", (b - a) / h}') \
$(awk -v a="$serverBefore" -v b="$serverAfter" -v h="$hz" 'BEGIN {printf "%.3f", (b - a) / h}') $(awk '{print $2}' "$out/run.txt")"
  done
  kill "$room"
  wait "$room" 2>/dev/null || true
  wine "$bench" fancy 2>/dev/null || fail "wine_bench fancy failed"
  wine "$bench" startup 2>/dev/null || fail "wine_bench startup failed"
  wine "$bench" respond 2>/dev/null || fail "wine_bench respond failed"
  wine "$bench" stack 2>/dev/null || fail "wine_bench stack failed"
  wine "$bench" preview 2>/dev/null || fail "wine_bench preview failed"
  wine "$bench" history 2>/dev/null || fail "wine_bench history failed"
}
export -f wine_part
export root out
"$root/tools/wine/session.sh" bash -c wine_part | tee "$out/wine.txt"

size=$(stat -c %s "$root/build/win32/tavi.exe")
dlls=$(i686-w64-mingw32-objdump -p "$root/build/win32/tavi.exe" | awk '/DLL Name/ {print $3}' | sort -f | tr '\n' ' ')
iostreams=$(grep -c -E 'ios_base|basic_ostream|basic_istream' "$root/build/win32/tavi.map" || true)

"$root/bench/table.sh" "$out/styles.txt" "$out/wine.txt" "$size" "$dlls" "$iostreams" | tee "$out/table.md"
{
  echo "# Performance"
  echo
  echo "Measured $(date -u +%Y-%m-%d) on $(uname -m), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'),"
  echo "$(nproc) cores; Wine $(wine --version 2>/dev/null || echo '?'). Reproduce with \`make bench\`."
  if [ -e /proc/sys/fs/binfmt_misc/tavi-i386 ]; then
    echo "This machine cannot run 32-bit Linux code, so Wine's 32-bit side (and with it tavi.exe)"
    echo "ran under qemu-user emulation: absolute times under Wine are several times slower than"
    echo "on a native Wine; every figure is a ratio or a comparison measured in the same run."
  fi
  echo
  cat "$out/table.md"
  cat "$root/bench/notes.md"
} >"$root/docs/performance.md"
echo "Written: docs/performance.md"
