// RunsAboveThisProcess: the integrity levels of two processes' tokens, through advapi32's functions
// where GetProcAddress finds them (Windows 95 has them only as stubs, and no levels before Vista).
#include "platform/win32/process_level.h"

#include "platform/win32/lookup.h"

namespace tavi {

namespace {

constexpr int kTokenIntegrityLevel = 25;            // TokenIntegrityLevel (Vista on)
constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION (Vista on)

struct Advapi {
  BOOL(WINAPI* openProcessToken)(HANDLE, DWORD, HANDLE*);
  BOOL(WINAPI* getTokenInformation)(HANDLE, int, void*, DWORD, DWORD*);
  PUCHAR(WINAPI* sidSubAuthorityCount)(PSID);
  PDWORD(WINAPI* sidSubAuthority)(PSID, DWORD);
};

const Advapi& Functions() {
  static const Advapi api = [] {
    Advapi found{};
    const HMODULE advapi32 = LoadSystemLibrary("\\ADVAPI32.DLL");
    LookUp(found.openProcessToken, advapi32, "OpenProcessToken");
    LookUp(found.getTokenInformation, advapi32, "GetTokenInformation");
    LookUp(found.sidSubAuthorityCount, advapi32, "GetSidSubAuthorityCount");
    LookUp(found.sidSubAuthority, advapi32, "GetSidSubAuthority");
    return found;
  }();
  return api;
}

// The integrity level of `process`'s token (the last part of its label), 0 where Windows does
// not tell; `denied` set where the token may not be opened.
DWORD LevelOf(HANDLE process, bool& denied) {
  const Advapi& a = Functions();
  if (!a.openProcessToken || !a.getTokenInformation || !a.sidSubAuthorityCount || !a.sidSubAuthority) return 0;
  HANDLE token = nullptr;
  if (!a.openProcessToken(process, TOKEN_QUERY, &token)) {
    denied = GetLastError() == ERROR_ACCESS_DENIED;
    return 0;
  }
  DWORD label[32] = {};  // a TOKEN_MANDATORY_LABEL and its SID
  DWORD size = 0, level = 0;
  if (a.getTokenInformation(token, kTokenIntegrityLevel, label, sizeof label, &size)) {
    const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(label)->Label.Sid;
    if (const UCHAR parts = *a.sidSubAuthorityCount(sid)) level = *a.sidSubAuthority(sid, parts - 1u);
  }
  CloseHandle(token);
  return level;
}

}  // namespace

bool RunsAboveThisProcess(HWND window) {
  bool denied = false;
  const DWORD ours = LevelOf(GetCurrentProcess(), denied);
  DWORD pid = 0;
  if (!ours || !GetWindowThreadProcessId(window, &pid) || pid == GetCurrentProcessId()) return false;
  HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, pid);
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  const DWORD theirs = LevelOf(process, denied);
  CloseHandle(process);
  return denied || theirs > ours;
}

}  // namespace tavi
