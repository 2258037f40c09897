# Environment for running tavi's Windows programs under Wine (sourced by the scripts here).
TAVI_ROOT=${TAVI_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
# A prefix of our own inside the build tree, never the user's ~/.wine.
export WINEPREFIX="${TAVI_WINEPREFIX:-$TAVI_ROOT/build/wineprefix}"
export WINEDEBUG=-all
# No Mono/Gecko download prompts and no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Only read when qemu-user runs Wine's 32-bit side (see tools/setup.sh): a
# guest address space just above 2 GB keeps Wine's start-up reservation of
# the upper half quick under emulation.
export QEMU_RESERVED_VA=0x81000000
# Wine's own 64-bit tools (wineboot, reg) start faster through the 64-bit
# loader; `wine` would first start its 32-bit side to find out.
if [ -x /usr/lib/wine/wine64 ]; then WINE64=/usr/lib/wine/wine64; else WINE64=wine; fi
