#!/usr/bin/env bash
# make fuzz: every fuzz target for FUZZ_SECONDS (two at a time), then the executions and findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-180}
bin="$root/build/sanitize/tests/fuzz"
logs="$root/build/fuzz"
mkdir -p "$logs"
targets=(fuzz_separators fuzz_fancy fuzz_colours fuzz_wave fuzz_sequence fuzz_preview)

run_one() {
  local target=$1 seeds=styles
  [ "$target" = fuzz_sequence ] && seeds=sequence
  mkdir -p "$bin/corpus/$target" "$logs/$target"
  "$bin/$target" -max_total_time="$seconds" -timeout=10 -max_len=1024 -print_final_stats=1 \
    -artifact_prefix="$logs/$target/" "$bin/corpus/$target" "$root/tests/fuzz/corpus/$seeds" \
    >"$logs/$target.log" 2>&1 || true
}
export -f run_one
export bin logs seconds root

echo "fuzz: ${#targets[@]} targets, ${seconds} s each, two at a time..."
printf '%s\n' "${targets[@]}" | xargs -P 2 -I{} bash -c 'run_one {}'

total=0 findings=0
printf '%-18s %14s %9s\n' target executions findings
for target in "${targets[@]}"; do
  runs=$(awk -F': ' '/stat::number_of_executed_units/ {print $2}' "$logs/$target.log" | tail -n1)
  found=$(find "$logs/$target" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  printf '%-18s %14s %9s\n' "$target" "${runs:-0}" "$found"
  total=$((total + ${runs:-0})) findings=$((findings + found))
done
printf '%-18s %14s %9s\n' total "$total" "$findings"
[ "$findings" -eq 0 ] || { echo "fuzz: findings are in build/fuzz/<target>/" >&2; exit 1; }
