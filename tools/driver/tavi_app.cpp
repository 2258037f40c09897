// TaviApp: finds tavi's window and controls and operates them through its message queue.
#include "tools/driver/tavi_app.h"

#include <cstring>

namespace driver {

TaviApp::TaviApp(const std::string& environment, int show) : TaviApp(Process(TaviExe(), "", environment, show)) {}

TaviApp::TaviApp(Process process) : process_(std::move(process)) {
  if (process_.Id()) FindWindowOf(process_.Id(), 60);
}

TaviApp TaviApp::FindRunning(double seconds) {
  TaviApp app{Process()};
  app.FindWindowOf(0, seconds);
  return app;
}

void TaviApp::FindWindowOf(DWORD pid, double seconds) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(pid, L"give tavi")) != nullptr; }, seconds);
  if (!found) return;
  // The controls in window order: the button, then the two boxes.
  command1 = FindWindowExW(found, nullptr, L"Button", nullptr);
  text1 = FindWindowExW(found, nullptr, L"Edit", nullptr);
  text10 = FindWindowExW(found, text1, L"Edit", nullptr);
  if (command1 && text1 && text10) form = found;
}

void TaviApp::SetText(HWND box, const std::wstring& text) const {
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring TaviApp::TextOf(HWND window) const {
  const int length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied =
      static_cast<int>(SendMessageW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

void TaviApp::Click() const { PostMessageW(command1, BM_CLICK, 0, 0); }

void TaviApp::ClickStorm(int clicks) const {
  HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(form, nullptr));
  if (thread) SuspendThread(thread);
  for (int i = 0; i < clicks; ++i) Click();
  if (thread) {
    ResumeThread(thread);
    CloseHandle(thread);
  }
}

void TaviApp::Close() const { PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); }

HWND TaviApp::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info);
  return info.hwndFocus;
}

std::vector<LONG> TaviApp::PlaceOf(HWND control) const {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::vector<LONG> TaviApp::ClientSize() const {
  RECT r;
  GetClientRect(form, &r);
  return {r.right, r.bottom};
}

void TaviApp::SendDpiChanged(int dpi, const RECT* suggested) const {
  DWORD pid = 0;
  GetWindowThreadProcessId(form, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  void* there = nullptr;
  if (suggested) {
    there = VirtualAllocEx(process, nullptr, sizeof *suggested, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, there, suggested, sizeof *suggested, nullptr);
  }
  SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(there));
  if (there) VirtualFreeEx(process, there, 0, MEM_RELEASE);
  CloseHandle(process);
}

void TaviApp::PressKey(UINT virtualKey) const { HoldKey(virtualKey, 0); }

void TaviApp::HoldKey(UINT virtualKey, int repeats) const {
  // tavi's dialog keys (Tab, Enter) act on the focus of the moment they are
  // handled, whichever of tavi's controls the key is addressed to.
  // A minimized window may have no focus: its keys then go to the window
  // itself, as system keys.
  const HWND focus = Focus(), target = focus ? focus : form;
  const bool system = !focus && IsIconic(form);
  const UINT down = system ? WM_SYSKEYDOWN : WM_KEYDOWN, up = system ? WM_SYSKEYUP : WM_KEYUP;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, 0)) << 16;
  PostMessageW(target, down, virtualKey, scan | 1);
  // Bit 30: the key was down before this message (an auto-repeat).
  for (int i = 0; i < repeats; ++i) PostMessageW(target, down, virtualKey, scan | 1 | (1u << 30));
  PostMessageW(target, up, virtualKey, scan | 1 | (3u << 30));
}

void TaviApp::TypeOver(HWND box, const std::wstring& text) const {
  PostMessageW(box, EM_SETSEL, 0, -1);
  for (wchar_t c : text) PostMessageW(box, WM_CHAR, c, 1);
}

bool TaviApp::Paste(const std::wstring& text) const {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  SendMessageW(text1, EM_SETSEL, 0, -1);
  DWORD_PTR result = 0;
  return set && SendMessageTimeoutW(text1, WM_PASTE, 0, 0, SMTO_NORMAL, 60000, &result) &&
         static_cast<std::size_t>(SendMessageW(text1, WM_GETTEXTLENGTH, 0, 0)) == text.size();
}

HWND TaviApp::Preview() const {
  DWORD pid = 0;
  GetWindowThreadProcessId(form, &pid);
  return FindTopWindow(pid, L"tavi preview");
}

std::vector<HWND> TaviApp::PreviewRows() const {
  std::vector<HWND> rows;
  for (HWND row = FindWindowExW(Preview(), nullptr, L"Static", nullptr); row;
       row = FindWindowExW(Preview(), row, L"Static", nullptr)) {
    rows.push_back(row);
  }
  return rows;
}

void TaviApp::PreviewFromMenu() const {
  TypeKeys({VK_SPACE}, VK_MENU);
  TypeKeys({'P'});
}

namespace {

std::string HooksDll() { return ExeDir() + "\\driver_hooks.dll"; }

// Runs `function` at its address in `pid`'s process with `argument`; the thread's exit code.
DWORD RunRemote(DWORD pid, const void* function, const void* argument) {
  HANDLE process = OpenProcess(
      PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ,
      FALSE, pid);
  DWORD code = 0;
  if (!process) return code;
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(function),
                                     const_cast<void*>(argument), 0, nullptr);
  if (thread) {
    WaitForSingleObject(thread, 60000);
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
  }
  CloseHandle(process);
  return code;
}

}  // namespace

bool TaviApp::LoadHooks() {
  DWORD pid = 0;
  GetWindowThreadProcessId(form, &pid);
  const std::string dll = HooksDll();
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  void* path = VirtualAllocEx(process, nullptr, dll.size() + 1, MEM_COMMIT, PAGE_READWRITE);
  WriteProcessMemory(process, path, dll.c_str(), dll.size() + 1, nullptr);
  // kernel32 lies at the same address in every process.
  const auto load = GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA");
  hooks_ = reinterpret_cast<HMODULE>(static_cast<INT_PTR>(RunRemote(pid, reinterpret_cast<const void*>(load), path)));
  VirtualFreeEx(process, path, 0, MEM_RELEASE);
  CloseHandle(process);
  return hooks_ && RunInTavi("SetHighContrast", 0) == 1;
}

DWORD TaviApp::RunInTavi(const char* function, INT_PTR argument) const {
  // The function's place in the DLL, read from a copy mapped here without running it.
  HMODULE here = LoadLibraryExA(HooksDll().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  const auto found = reinterpret_cast<const BYTE*>(GetProcAddress(here, function));
  const std::size_t offset = found ? static_cast<std::size_t>(found - reinterpret_cast<const BYTE*>(here)) : 0;
  if (here) FreeLibrary(here);
  if (!hooks_ || !offset) return 0;
  DWORD pid = 0;
  GetWindowThreadProcessId(form, &pid);
  return RunRemote(pid, reinterpret_cast<const BYTE*>(hooks_) + offset, reinterpret_cast<const void*>(argument));
}

}  // namespace driver
