// hooks.dll: loaded into a running tavi.exe by the tests (TaviApp::LoadHooks), it lets them change
// what tavi's process sees of the system: the high-contrast setting, the message font. Never shipped.
#include <windows.h>

namespace {

using SystemParametersInfoAFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT);
SystemParametersInfoAFunction realSystemParametersInfoA = nullptr;
volatile LONG highContrast = 0;

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

}  // namespace

// Thread functions the tests run in tavi's process (TaviApp::RunInTavi).
// High contrast on (argument 1) or off (0) from tavi's next query on; 1 if tavi's query is hooked.
extern "C" __declspec(dllexport) DWORD WINAPI SetHighContrast(void* on) {
  InterlockedExchange(&highContrast, on ? 1 : 0);
  return realSystemParametersInfoA != nullptr;
}

// The message font set to `height` (a LOGFONT height) in tavi's process, where Wine keeps the
// settings tavi reads, and announced to every window as the display settings do; 1 if it was set.
extern "C" __declspec(dllexport) DWORD WINAPI SetMessageFontHeight(void* height) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return 0;
  metrics.lfMessageFont.lfHeight = static_cast<LONG>(reinterpret_cast<INT_PTR>(height));
  return SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics,
                               SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) HookProgramImport();
  return TRUE;
}
