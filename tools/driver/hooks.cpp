// driver_hooks.dll: brought into a running tavi.exe by the tests through a message hook on tavi's
// thread (TaviApp::LoadHooks), it changes what tavi's process sees of the system (the high-contrast
// setting, the message font) and hands tavi what Windows would (WM_DPICHANGED's rectangle), all
// on commands of numbers sent to a window of its own. Never shipped.
#include "tools/driver/hooks.h"

#include <windows.h>

#include <string>

namespace {

using namespace driver::hooks;
using SystemParametersInfoAFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT);
SystemParametersInfoAFunction realSystemParametersInfoA = nullptr;
LONG highContrast = 0;
RECT suggested{};
bool suggesting = false;

// tavi's high-contrast query answered as the test says; everything else as Windows answers it.
BOOL WINAPI HookedSystemParametersInfoA(UINT action, UINT size, void* value, UINT flags) {
  const BOOL ok = realSystemParametersInfoA(action, size, value, flags);
  if (ok && action == SPI_GETHIGHCONTRAST && value) {
    auto* setting = static_cast<HIGHCONTRASTA*>(value);
    setting->dwFlags = highContrast ? setting->dwFlags | HCF_HIGHCONTRASTON : setting->dwFlags & ~HCF_HIGHCONTRASTON;
  }
  return ok;
}

// Points the program's import of user32's SystemParametersInfoA at the hook.
void HookProgramImport() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name;
       ++module) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), "user32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (lstrcmpA(reinterpret_cast<const char*>(name->Name), "SystemParametersInfoA") != 0) continue;
      DWORD was = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &was);
      realSystemParametersInfoA = reinterpret_cast<SystemParametersInfoAFunction>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<DWORD_PTR>(&HookedSystemParametersInfoA);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, was, &was);
    }
  }
}

// The message font set to `height` in tavi's process, where Wine keeps the settings tavi reads,
// and announced to every window as the display settings do.
LRESULT SetMessageFontHeight(LONG height) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return 0;
  metrics.lfMessageFont.lfHeight = height;
  return SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics,
                               SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

// tavi's main window: the one top-level window of this thread captioned "give tavi".
BOOL CALLBACK IsTavi(HWND window, LPARAM found) {
  wchar_t caption[16] = L"";
  GetWindowTextW(window, caption, 16);
  if (lstrcmpW(caption, L"give tavi") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

LRESULT DpiChanged(WORD dpi) {
  HWND form = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), IsTavi, reinterpret_cast<LPARAM>(&form));
  if (!form) return 0;
  RECT* rect = suggesting ? &suggested : nullptr;
  suggesting = false;
  SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(rect));
  return 1;
}

UINT commandMessage = 0;

LRESULT CALLBACK CommandProc(HWND window, UINT msg, WPARAM command, LPARAM number) {
  if (msg != commandMessage || !commandMessage) return DefWindowProcW(window, msg, command, number);
  const auto low = static_cast<SHORT>(LOWORD(number)), high = static_cast<SHORT>(HIWORD(number));
  switch (command) {
    case kSetHighContrast: highContrast = number ? 1 : 0; return realSystemParametersInfoA != nullptr;
    case kSetMessageFontHeight: return SetMessageFontHeight(static_cast<LONG>(number));
    case kSuggestOrigin: suggested.left = low, suggested.top = high; return 1;
    case kSuggestSize:
      suggested.right = suggested.left + low, suggested.bottom = suggested.top + high;
      suggesting = true;
      return 1;
    case kDpiChanged: return DpiChanged(static_cast<WORD>(number));
    default: return 0;
  }
}

// Once, on tavi's thread: the DLL stays (a hook's module goes when the hook does), tavi's import is
// hooked, the command window made, and the test told.
void Settle() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&Settle), &self);
  HookProgramImport();
  commandMessage = RegisterWindowMessageW(kMessage);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = CommandProc;
  windowClass.hInstance = self;
  windowClass.lpszClassName = kWindowClass;
  RegisterClassW(&windowClass);
  CreateWindowExW(0, kWindowClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, self, nullptr);
  const std::string ready = kReadyEventPrefix + std::to_string(GetCurrentProcessId());
  if (HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, ready.c_str())) {
    SetEvent(event);
    CloseHandle(event);
  }
}

}  // namespace

// The hook the tests set on tavi's thread: the system loads this DLL into tavi to call it.
extern "C" __declspec(dllexport) LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp) {
  static bool settled = false;
  if (!settled) {
    settled = true;
    Settle();
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
