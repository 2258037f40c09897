#!/usr/bin/env bash
# clang-tidy over tavi's product code, as .clang-tidy says: the portable core through the native
# build's compile database, the Windows layer and the app through the Clang build's. Names every
# finding and fails on any.
set -euo pipefail
cd "$(dirname "$0")/../.."
for db in build/native build/win32-clang; do
  [ -f "$db/compile_commands.json" ] || { echo "lint: $db/compile_commands.json is missing (make native win32-clang)"; exit 1; }
done
core=$(ls styles/*.cpp sequence/*.cpp chat/*.cpp markup/*.cpp platform/*.cpp)
windows=$(ls app/*.cpp platform/win32/*.cpp)
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# GCC's -std=c++23 is Clang 14's c++2b.
{ printf '%s\n' $core | xargs -P "$(nproc)" -n 2 clang-tidy -p build/native --quiet --extra-arg=-std=c++2b
  printf '%s\n' $windows | xargs -P "$(nproc)" -n 2 clang-tidy -p build/win32-clang --quiet; } >"$out" 2>&1 || true
files=$(printf '%s\n' $core $windows | wc -l)
if grep -qE '(warning|error):' "$out"; then
  grep -E '(warning|error):' -A3 "$out"
  echo "lint: $(grep -cE '(warning|error):' "$out") findings in $files files"
  exit 1
fi
echo "lint: $files files, no findings"
