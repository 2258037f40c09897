#!/usr/bin/env bash
# Rules of the tree that no compiler checks; prints each breach with its file and line.
#  - Nothing in tests/ or tools/ writes into, reads from or allocates in another process's memory:
#    where Wine's 32-bit side runs under qemu-user such a write is silently lost.
set -uo pipefail
cd "$(dirname "$0")/../.."
status=0
if git grep --untracked -nE '(Write|Read)ProcessMemory|VirtualAlloc''Ex' -- tests tools; then
  echo "tree: another process's memory is used above; reach tavi through the hooks' window instead" \
    "(tools/driver/hooks.cpp)"
  status=1
fi
exit $status
