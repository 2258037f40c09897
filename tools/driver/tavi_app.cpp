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

void TaviApp::SendDpiChanged(int dpi, const RECT* suggested) {
  if (!suggested) {
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0);
    return;
  }
  // The rectangle is made in tavi's process, from its numbers, by the hooks.
  if (!hooks_ && !LoadHooks()) return;
  RunInTavi(hooks::kSuggestOrigin, MAKELPARAM(suggested->left, suggested->top));
  RunInTavi(hooks::kSuggestSize, MAKELPARAM(suggested->right - suggested->left, suggested->bottom - suggested->top));
  RunInTavi(hooks::kDpiChanged, dpi);
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
  // The keys go to the foreground window: tavi, also where the host started beside it came later.
  SetForegroundWindow(form);
  WaitUntil([&] { return GetForegroundWindow() == form; }, 30);
  TypeKeys({VK_SPACE}, VK_MENU);
  TypeKeys({'P'});
}

bool TaviApp::LoadHooks() {
  if (hooks_) return true;
  DWORD pid = 0;
  const DWORD thread = GetWindowThreadProcessId(form, &pid);
  const std::string name = hooks::kReadyEventPrefix + std::to_string(pid);
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, name.c_str());
  HMODULE dll = LoadLibraryA((ExeDir() + "\\driver_hooks.dll").c_str());
  const auto procedure =
      reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, hooks::kHookProcedure)));
  // A hook on tavi's thread: the system loads its DLL into tavi to call it at tavi's next
  // message. The DLL keeps itself there and says so; the hook, which would run at every message
  // tavi takes, goes at once.
  HHOOK hook = procedure ? SetWindowsHookExW(WH_GETMESSAGE, procedure, dll, thread) : nullptr;
  if (hook) {
    PostMessageW(form, WM_NULL, 0, 0);
    WaitForSingleObject(ready, 60000);
    UnhookWindowsHookEx(hook);
  }
  CloseHandle(ready);
  if (dll) FreeLibrary(dll);
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, hooks::kWindowClass, nullptr); w;
       w = FindWindowExW(HWND_MESSAGE, w, hooks::kWindowClass, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid) hooks_ = w;
  }
  return hooks_ && RunInTavi(hooks::kSetHighContrast, 0) == 1;
}

LRESULT TaviApp::RunInTavi(hooks::Command command, LPARAM number) const {
  static const UINT message = RegisterWindowMessageW(hooks::kMessage);
  DWORD_PTR result = 0;
  if (!hooks_ || !SendMessageTimeoutW(hooks_, message, command, number, SMTO_NORMAL, 60000, &result)) return 0;
  return static_cast<LRESULT>(result);
}

}  // namespace driver
