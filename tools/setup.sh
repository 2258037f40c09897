#!/usr/bin/env bash
# Installs on Debian what a make target needs, and nothing more: tools/setup.sh GROUP... installs
# the packages of the groups named (below) that are missing, says what it installs and for what,
# and is quiet when nothing is missing.
#   native     the native build: the portable core, its tests, make preview
#   sanitize   the sanitized build and the fuzz targets (clang)
#   format     clang-format
#   lint       clang-tidy
#   cross      the Windows build with GCC (mingw-w64, i686)
#   clang      the Windows build with Clang and lld
#   wine       running the Windows programs: Wine (32-bit), a private X display, screenshots
#   dist       the download's zip
#   emulate    qemu-user, for running Wine's 32-bit side emulated (TAVI_EMULATE=1, tools/wine/emulate.sh)
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

packages_of() {
  case $1 in
    native) echo make cmake g++ googletest libgtest-dev libbenchmark-dev ;;
    sanitize) echo make cmake g++ clang libclang-rt-dev googletest libgtest-dev ;;
    format) echo clang-format ;;
    lint) echo clang-tidy ;;
    cross) echo make cmake g++-mingw-w64-i686 g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 ;;
    clang) echo make cmake clang lld g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 ;;
    wine) echo wine wine64 wine32:i386 fonts-wine xvfb xauth x11-utils imagemagick ;;
    dist) echo zip unzip perl ;;
    emulate) echo qemu-user-static ;;
    *) echo "setup: no group \"$1\" (see tools/setup.sh)" >&2; exit 2 ;;
  esac
}

[ $# -gt 0 ] || set -- native sanitize format lint cross clang wine dist
packages=()
for group in "$@"; do
  read -ra more <<<"$(packages_of "$group")"
  packages+=("${more[@]}")
done

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Runs a command quietly; shows its output only when it fails.
quiet() { "$@" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }; }

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }

missing=()
for p in "${packages[@]}"; do
  installed "$p" || [[ " ${missing[*]} " == *" $p "* ]] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]} (for: $*)"
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  quiet $SUDO apt-get update
  quiet $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Wine runs the 32-bit program with 32-bit Linux helpers. Some kernels (and
# virtual machines) switch 32-bit execution off; there, qemu-user runs them
# instead, registered once through binfmt_misc.
if [[ " $* " == *" wine "* ]] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  installed qemu-user-static || {
    echo "setup: 32-bit programs cannot run here; installing qemu-user-static"
    quiet $SUDO apt-get install -y --no-install-recommends qemu-user-static
  }
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || $SUDO mount -t binfmt_misc binfmt_misc "$binfmt"
  if [ ! -e "$binfmt/tavi-i386" ]; then
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":tavi-i386:M::${magic}:${mask}:/usr/bin/qemu-i386-static:F" | $SUDO tee "$binfmt/register" >/dev/null
  fi
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 || {
    echo "setup: 32-bit programs still cannot run; Wine cannot start the program" >&2
    exit 1
  }
fi
