#!/usr/bin/env bash
# Runs a command with Wine ready: a display, a warm prefix. On a private Xvfb of its own (said on
# standard error), or with TAVI_DISPLAY=user on yours (DISPLAY). Afterwards it ends only what it
# started: on its private display, every Wine program there and the display; on yours, nothing
# else (programs you started with another session.sh, or yourself, go on).
# Wine's windows open on a Wine desktop the size of the private screen (TAVI_SCREEN, default
# 1024x640x24); on your display, as windows of their own, or on a Wine desktop of TAVI_DESKTOP
# (such as 1024x640) where that is set.
set -euo pipefail
. "$(dirname "$0")/env.sh"
command -v wine >/dev/null && command -v Xvfb >/dev/null || {
  echo "session: Wine is not installed: run make demo (or tools/setup.sh wine), which installs it" >&2
  exit 1
}

xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ "${TAVI_DISPLAY:-}" = user ]; then
  [ -n "${DISPLAY:-}" ] || { echo "session: TAVI_DISPLAY=user runs on your display, but DISPLAY is not set" >&2; exit 1; }
  user_display=1
else
  user_display=""
  xvfb_log=$(mktemp)
  # A display number another program takes between the look and the start, or a server that
  # ends before it answers, makes it try the next free number (three tries).
  n=${TAVI_XVFB_DISPLAY:-$((${TAVI_XVFB_FIRST:-91} - 1))}
  for try in 1 2 3; do
    if [ -z "${TAVI_XVFB_DISPLAY:-}" ]; then
      # Sessions run side by side (make test's two) start their search at different numbers.
      for n in $(seq $((n + 1)) 250); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
      done
    fi
    Xvfb ":$n" -screen 0 "${TAVI_SCREEN:-1024x640x24}" -nolisten tcp >"$xvfb_log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    # A minute at most: a busy machine starts it slowly.
    for _ in $(seq 600); do
      xdpyinfo >/dev/null 2>&1 && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    xdpyinfo >/dev/null 2>&1 && break
    status=0
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || status=$?
    xvfb_pid=""
    echo "session: Xvfb did not start on $DISPLAY (try $try of 3, exit status $status):" >&2
    cat "$xvfb_log" >&2
    [ "$try" -lt 3 ] && [ -z "${TAVI_XVFB_DISPLAY:-}" ] || exit 1
  done
  rm -f "$xvfb_log"
  echo "session: on a private display, $DISPLAY (TAVI_DISPLAY=user runs on yours)" >&2
fi

[ -d "$WINEPREFIX/drive_c/windows/system32" ] || echo "session: creating the Wine prefix $WINEPREFIX (once; about half a minute)"
mkdir -p "$WINEPREFIX"
# A server that stays between the programs of a private session (it ends with the session).
[ -n "$user_display" ] || wineserver -p >/dev/null 2>&1 || true
"$WINE64" wineboot >/dev/null 2>&1 || true
[ -d "$WINEPREFIX/drive_c/windows/system32" ] || { echo "session: Wine could not create its prefix in $WINEPREFIX" >&2; exit 1; }
# Wine's own fonts (Tahoma, Marlett for the caption buttons) are not found
# by its 32-bit side on every installation; the prefix's Fonts folder always is.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d /usr/share/wine/fonts ] && [ ! -e "$fonts/tahoma.ttf" ]; then
  cp /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
fi
# On the private display, windows open inside one Wine desktop window the size of the screen, drawn
# the way Windows draws them (a bare X server has no window manager); on yours, as you have them.
screen="${TAVI_SCREEN:-1024x640x24}"
desktop="${TAVI_DESKTOP:-${user_display:+none}}"
desktop="${desktop:-${screen%x*}}"
if [ "$desktop" = none ]; then
  "$WINE64" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
else
  "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1
fi

set +e
"$@"
rc=$?
set -e
exit $rc
