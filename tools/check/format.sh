#!/usr/bin/env bash
# The C++ sources against .clang-format: `format.sh` rewrites them, `format.sh --check` names
# every file that differs and fails.
set -euo pipefail
cd "$(dirname "$0")/../.."
mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
if [ "${1:-}" != --check ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
differ=()
for f in "${files[@]}"; do clang-format "$f" | cmp -s - "$f" || differ+=("$f"); done
if [ ${#differ[@]} -gt 0 ]; then
  echo "format: these files differ from .clang-format (make format rewrites them):"
  printf '  %s\n' "${differ[@]}"
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format has them"
