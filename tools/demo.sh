#!/usr/bin/env bash
# make demo: roomsim and tavi under Wine, one click, the seven posts printed, a screenshot saved.
# Usage: tools/demo.sh MESSAGE
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
message="${1-<3333333333333333333}"

printf '%s' "$message" >"$build/demo-message.txt"
rm -f "$build/demo.png" "$build/demo-transcript.txt"

# On your display when there is one, else on a private Xvfb.
if [ -n "${DISPLAY:-}" ]; then export TAVI_DISPLAY=user; fi

winpath() { printf 'Z:%s' "${1//\//\\}"; }

run() {
  wine "$root/build/win32/demo_driver.exe" "$(winpath "$build/demo-message.txt")" \
    "$(winpath "$build/demo-transcript.txt")" >"$build/demo-output.txt" 2>&1 </dev/null || {
    cat "$build/demo-output.txt" >&2
    return 1
  }
  cat "$build/demo-output.txt"
  # The Wine desktop window holds both programs.
  desktop=$(xwininfo -root -tree | awk '/Wine desktop/ {print $1; exit}')
  import -window "${desktop:-root}" "$build/demo.png"
  echo "Screenshot: build/demo.png"
}
export -f run winpath
export root build
"$root/tools/wine/session.sh" bash -c run
