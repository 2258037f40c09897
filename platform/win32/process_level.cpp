// RunsAboveThisProcess: whether two processes' tokens are elevated, through advapi32's functions
// where GetProcAddress finds them (Windows 95 has them only as stubs; Vista on tells).
#include "platform/win32/process_level.h"

#include "platform/win32/lookup.h"

namespace tavi {

namespace {

constexpr int kTokenElevation = 20;                 // TokenElevation (Vista on)
constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION (Vista on)

struct Advapi {
  BOOL(WINAPI* openProcessToken)(HANDLE, DWORD, HANDLE*);
  BOOL(WINAPI* getTokenInformation)(HANDLE, int, void*, DWORD, DWORD*);
};

const Advapi& Functions() {
  static const Advapi api = [] {
    Advapi found{};
    const HMODULE advapi32 = LoadSystemLibrary("\\ADVAPI32.DLL");
    LookUp(found.openProcessToken, advapi32, "OpenProcessToken");
    LookUp(found.getTokenInformation, advapi32, "GetTokenInformation");
    return found;
  }();
  return api;
}

// Whether `process` runs elevated (as administrator): 1 yes, 0 no, also 1 where its token may
// not be looked at, -1 where Windows does not tell (before Vista).
int Elevated(HANDLE process) {
  const Advapi& a = Functions();
  HANDLE token = nullptr;
  if (!a.openProcessToken || !a.getTokenInformation) return -1;
  if (!a.openProcessToken(process, TOKEN_QUERY, &token)) return GetLastError() == ERROR_ACCESS_DENIED ? 1 : -1;
  DWORD elevated = 0, size = 0;
  const BOOL told = a.getTokenInformation(token, kTokenElevation, &elevated, sizeof elevated, &size);
  CloseHandle(token);
  return told ? elevated != 0 : -1;
}

}  // namespace

bool RunsAboveThisProcess(HWND window) {
  DWORD pid = 0;
  // Only a process that is not elevated itself, on a Windows that tells, has one above it.
  if (Elevated(GetCurrentProcess()) != 0 || !GetWindowThreadProcessId(window, &pid) || pid == GetCurrentProcessId()) {
    return false;
  }
  HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, pid);
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  const int elevated = Elevated(process);
  CloseHandle(process);
  return elevated == 1;
}

}  // namespace tavi
