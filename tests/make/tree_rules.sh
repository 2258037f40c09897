#!/usr/bin/env bash
# tools/check/tree.sh finds each breach planted in a copy of the tree's test registrations: a write
# into another process's memory in tools/, and an end-to-end suite that CTest never runs.
set -euo pipefail
cd "$(dirname "$0")/../.."
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
mkdir -p "$copy/tests/e2e" "$copy/tests/compat" "$copy/tools"
cp tests/e2e/*.cpp tests/e2e/CMakeLists.txt "$copy/tests/e2e/"
cp tests/compat/CMakeLists.txt "$copy/tests/compat/"
tools/check/tree.sh "$copy" || { echo "tree.sh: the copy as it is should pass"; exit 1; }
printf 'TEST(Planted, Unregistered) {}\n' >"$copy/tests/e2e/planted_test.cpp"
printf 'void f() { WriteProcess%s(0, 0, 0, 0, 0); }\n' Memory >"$copy/tools/planted.cpp"
if out=$(tools/check/tree.sh "$copy"); then echo "tree.sh passed a tree with two breaches"; exit 1; fi
grep -q "suite Planted never runs" <<<"$out" || { echo "tree.sh missed the unregistered suite: $out"; exit 1; }
grep -q "tools/planted.cpp:1:" <<<"$out" || { echo "tree.sh missed the memory write: $out"; exit 1; }
echo "tree.sh: both planted breaches named"
