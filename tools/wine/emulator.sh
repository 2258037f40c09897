#!/usr/bin/env bash
# CMake's cross-compiling emulator: runs one Windows program under Wine for CTest.
# Output goes through a file: Wine's helper processes inherit the standard
# handles and would otherwise keep CTest's pipe open.
. "$(dirname "$0")/env.sh"
out=$(mktemp)
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
