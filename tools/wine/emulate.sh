#!/usr/bin/env bash
# Runs a command with Wine's 32-bit side under qemu-user, as on a machine whose kernel runs no
# 32-bit code, also where this one does: qemu-i386 is registered for i386 programs (binfmt_misc)
# for the command's run and the registration removed afterwards, however the command ends.
# Usage: tools/wine/emulate.sh COMMAND...   (make test does this with TAVI_EMULATE=1)
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
binfmt=/proc/sys/fs/binfmt_misc
entry=$binfmt/tavi-emulate
qemu=/usr/bin/qemu-i386-static
[ -x "$qemu" ] || { echo "emulate: $qemu is missing (tools/setup.sh emulate installs it)" >&2; exit 1; }
[ -e "$binfmt/register" ] || $SUDO mount -t binfmt_misc binfmt_misc "$binfmt"

registered=""
unregister() {
  [ -n "$registered" ] && [ -e "$entry" ] && { echo -1 | $SUDO tee "$entry" >/dev/null || true; }
  return 0
}
trap unregister EXIT
trap 'exit 130' INT TERM

# 32-bit ELF programs and libraries of the i386 (executables and shared objects).
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
if [ -e "$binfmt/tavi-i386" ]; then
  echo "emulate: this machine already runs 32-bit programs under qemu-user" >&2
else
  # A registration left behind by a run that was killed is replaced.
  [ -e "$entry" ] && { echo -1 | $SUDO tee "$entry" >/dev/null; }
  echo ":tavi-emulate:M::${magic}:${mask}:${qemu}:F" | $SUDO tee "$binfmt/register" >/dev/null
  registered=1
  echo "emulate: 32-bit programs run under qemu-user until this command ends" >&2
fi
# Any running Wine server started its 32-bit programs natively; the next one starts under qemu.
"$@"
