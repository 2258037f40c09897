#!/usr/bin/env bash
# Rules of the tree that no compiler checks; prints each breach with its file and line.
#  - Nothing in tests/ or tools/ writes into, reads from or allocates in another process's memory:
#    where Wine's 32-bit side runs under qemu-user such a write is silently lost.
#  - Every end-to-end test suite (TEST(Suite, ...) in tests/e2e/) is run by CTest: registered in
#    tests/e2e/CMakeLists.txt (tavi_e2e_suite) or tests/compat/CMakeLists.txt (NAME e2e.Suite).
# Usage: tree.sh [ROOT]   (default: this checkout)
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root" || exit 2
status=0
if grep -rnE '(Write|Read)ProcessMemory|VirtualAlloc''Ex' tests tools; then
  echo "tree: another process's memory is used above; reach tavi through the hooks' window instead" \
    "(tools/driver/hooks.cpp)"
  status=1
fi
for suite in $(sed -nE 's/^TEST(_F|_P)?\(([A-Za-z0-9_]+),.*/\2/p' tests/e2e/*.cpp | sort -u); do
  if ! grep -qE "tavi_e2e_suite\([a-z_]+ $suite[ )]|NAME e2e\.$suite " tests/e2e/CMakeLists.txt \
    tests/compat/CMakeLists.txt; then
    echo "tree: the end-to-end suite $suite never runs: add tavi_e2e_suite(<its program> $suite) to" \
      "tests/e2e/CMakeLists.txt"
    status=1
  fi
done
exit $status
