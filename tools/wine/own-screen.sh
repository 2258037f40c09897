#!/usr/bin/env bash
# Runs one Windows program under Wine on a screen of its own (TAVI_SCREEN, such as 1024x640x8): the
# Wine session already running ends first, since all its programs share one display; the next
# program started after this one begins a new session on the caller's display again.
set -euo pipefail
here=$(dirname "$0")
. "$here/env.sh"
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
unset TAVI_DISPLAY TAVI_XVFB_DISPLAY
exec "$here/session.sh" "$here/emulator.sh" "$@"
