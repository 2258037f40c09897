// RunsAboveThisProcess: whether this process may read another's state, which Windows (Vista on)
// refuses for a process at a higher integrity level than the reader's (elevated, as administrator).
#include "platform/win32/process_level.h"

namespace tavi {

bool RunsAboveThisProcess(HWND window) {
  DWORD pid = 0;
  if (!GetWindowThreadProcessId(window, &pid) || pid == GetCurrentProcessId()) return false;
  // A process object at a higher level refuses to be read from a lower one (its label says "no read
  // up"); before Vista, where there are no levels, the same user's programs may always be read.
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return true;
  CloseHandle(process);
  return false;
}

}  // namespace tavi
