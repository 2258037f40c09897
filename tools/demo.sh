#!/usr/bin/env bash
# make demo: roomsim and tavi under Wine, one click, the seven posts printed, the preview opened, a
# screenshot saved; then both programs closed again.
# Usage: tools/demo.sh MESSAGE        (TAVI_DPI=144: the screen's DPI for the demo)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
message="${1-<3333333333333333333}"

printf '%s' "$message" >"$build/demo-message.txt"
rm -f "$build/demo.png" "$build/demo-transcript.txt" "$build/demo-ready"

# On your display when there is one (in a Wine desktop window, which the screenshot takes), else on
# a private Xvfb; room for the room, tavi and the preview below it, also at 144 DPI.
if [ -n "${DISPLAY:-}" ]; then
  export TAVI_DISPLAY=user TAVI_DESKTOP="${TAVI_DESKTOP:-1280x800}"
else
  export TAVI_SCREEN="${TAVI_SCREEN:-1280x800x24}"
fi

winpath() { printf 'Z:%s' "${1//\//\\}"; }

run() {
  local dpi='HKCU\Control Panel\Desktop'
  [ -z "${TAVI_DPI:-}" ] || wine reg add "$dpi" /v LogPixels /t REG_DWORD /d "$TAVI_DPI" /f >/dev/null 2>&1
  # The driver says when the room and the preview are painted (the ready file), keeps both programs
  # open for the screenshot, and ends them once the file is gone.
  wine "$root/build/win32/demo_driver.exe" "$(winpath "$build/demo-message.txt")" \
    "$(winpath "$build/demo-transcript.txt")" "$(winpath "$build/demo-ready")" >"$build/demo-output.txt" 2>&1 </dev/null &
  local driver=$!
  for _ in $(seq 1800); do
    [ -e "$build/demo-ready" ] || ! kill -0 "$driver" 2>/dev/null || { sleep 0.1; continue; }
    break
  done
  local status=0
  if [ -e "$build/demo-ready" ]; then
    cat "$build/demo-output.txt"
    # The Wine desktop window holds both programs.
    desktop=$(xwininfo -root -tree | awk '/Wine desktop/ {print $1; exit}')
    import -window "${desktop:-root}" "$build/demo.png"
    echo "Screenshot: build/demo.png"
    rm -f "$build/demo-ready"
  else
    cat "$build/demo-output.txt" >&2
    status=1
  fi
  wait "$driver" || status=1
  [ -z "${TAVI_DPI:-}" ] || wine reg delete "$dpi" /v LogPixels /f >/dev/null 2>&1
  return "$status"
}
export -f run winpath
export root build
"$root/tools/wine/session.sh" bash -c run
