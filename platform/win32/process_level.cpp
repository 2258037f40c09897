// AccessToWindow: the integrity levels of another program's process and of this one, read
// from their tokens with functions looked up at run time (advapi32 has them from Vista on only).
#include "platform/win32/process_level.h"

#include "platform/integrity.h"
#include "platform/win32/lookup.h"
#include "platform/win32/window_api.h"

namespace tavi {

namespace {

constexpr DWORD kQueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION, Vista on
constexpr int kTokenIntegrityLevel = 25;            // TOKEN_INFORMATION_CLASS, Vista on
// GetCurrentProcess's answer on every Windows: the pseudo handle of the calling process.
const HANDLE kThisProcess = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1));

struct TokenApi {
  BOOL(WINAPI* openProcessToken)(HANDLE, DWORD, HANDLE*) = nullptr;
  BOOL(WINAPI* getTokenInformation)(HANDLE, int, void*, DWORD, DWORD*) = nullptr;
};

const TokenApi& Tokens() {
  static const TokenApi api = [] {
    TokenApi found;
    const HMODULE advapi32 = LoadSystemLibrary("\\ADVAPI32.DLL");
    LookUp(found.openProcessToken, advapi32, "OpenProcessToken");
    LookUp(found.getTokenInformation, advapi32, "GetTokenInformation");
    return found;
  }();
  return api;
}

// The integrity level (the label's last sub-authority) of `process`'s token; none where it cannot
// be read.
std::optional<std::uint32_t> LevelOf(HANDLE process) {
  const TokenApi& api = Tokens();
  if (!process || !api.openProcessToken || !api.getTokenInformation) return std::nullopt;
  HANDLE token = nullptr;
  if (!api.openProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
  // TOKEN_MANDATORY_LABEL: a SID_AND_ATTRIBUTES, the SID after it; the level is its last
  // sub-authority.
  union {
    SID_AND_ATTRIBUTES label;
    BYTE bytes[64];
  } info{};
  DWORD size = 0;
  std::optional<std::uint32_t> level;
  if (api.getTokenInformation(token, kTokenIntegrityLevel, &info, sizeof info, &size) && info.label.Sid) {
    const SID* sid = static_cast<const SID*>(info.label.Sid);
    const DWORD* subAuthorities = sid->SubAuthority;
    if (sid->SubAuthorityCount > 0) level = subAuthorities[sid->SubAuthorityCount - 1];
  }
  CloseHandle(token);
  return level;
}

}  // namespace

HostAccess AccessToWindow(HWND window) {
  DWORD pid = 0;
  // Windows before Vista knows neither levels nor the limited query.
  if (CurrentWindowApi().preVista || !GetWindowThreadProcessId(window, &pid) || pid == GetCurrentProcessId())
    return HostAccess::kOpen;
  // The limited query is granted across levels; it is refused for another user's process.
  HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, pid);
  const std::optional<std::uint32_t> host = LevelOf(process);
  if (process) CloseHandle(process);
  return AccessFrom(process != nullptr, host, LevelOf(kThisProcess));
}

}  // namespace tavi
