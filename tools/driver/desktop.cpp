// A window of one's own in front, typing on the keyboard, the screen's colours, top-level windows.
#include "tools/driver/desktop.h"

#include <oleacc.h>

namespace driver {

UserWindow::UserWindow() {
  InitializeCriticalSection(&lock_);
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
  WaitForSingleObject(ready_, 60000);
}

UserWindow::~UserWindow() {
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  WaitForSingleObject(thread_, 60000);
  CloseHandle(thread_);
  CloseHandle(ready_);
  DeleteCriticalSection(&lock_);
}

std::wstring UserWindow::Typed() const {
  EnterCriticalSection(&lock_);
  std::wstring typed = typed_;
  LeaveCriticalSection(&lock_);
  return typed;
}

DWORD WINAPI UserWindow::Run(void* self) {
  auto* user = static_cast<UserWindow*>(self);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = L"driver.UserWindow";
  RegisterClassW(&wc);
  user->hwnd_ = CreateWindowW(wc.lpszClassName, L"the user's window", WS_OVERLAPPEDWINDOW, 500, 300, 300, 200, nullptr,
                              nullptr, wc.hInstance, user);
  ShowWindow(user->hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(user->hwnd_);
  SetFocus(user->hwnd_);
  SetEvent(user->ready_);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DestroyWindow(user->hwnd_);
  return 0;
}

LRESULT CALLBACK UserWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  }
  auto* user = reinterpret_cast<UserWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_CHAR && user) {
    EnterCriticalSection(&user->lock_);
    user->typed_ += static_cast<wchar_t>(wp);
    LeaveCriticalSection(&user->lock_);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

std::wstring AccessibleName(HWND window) {
  CoInitialize(nullptr);
  IAccessible* accessible = nullptr;
  std::wstring name;
  if (SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                           reinterpret_cast<void**>(&accessible)))) {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (accessible->get_accName(self, &text) == S_OK && text) name = text;
    SysFreeString(text);
    accessible->Release();
  }
  CoUninitialize();
  return name;
}

void TypeKeys(const std::vector<WORD>& virtualKeys, WORD held) {
  std::vector<INPUT> keys;
  const auto key = [&](WORD virtualKey, DWORD up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, 0));
    input.ki.dwFlags = up;
    keys.push_back(input);
  };
  if (held) key(held, 0);
  for (WORD virtualKey : virtualKeys) {
    key(virtualKey, 0);
    key(virtualKey, KEYEVENTF_KEYUP);
  }
  if (held) key(held, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

void ClickAt(POINT at) {
  // Each event carries the place itself (absolute, 0 to 65535 across the screen): the button goes
  // down where the pointer is when the event is handled, which a slow machine may take a while to.
  const LONG x = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  const LONG y = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  INPUT clicks[3] = {};
  const DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 3; ++i) {
    clicks[i].type = INPUT_MOUSE;
    clicks[i].mi.dx = x;
    clicks[i].mi.dy = y;
    clicks[i].mi.dwFlags = flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  }
  SendInput(3, clicks, sizeof(INPUT));
}

std::set<COLORREF> ColoursIn(HWND window, RECT part) {
  const std::vector<COLORREF> pixels = PixelsIn(window, part);
  return {pixels.begin(), pixels.end()};
}

std::vector<COLORREF> PixelsIn(HWND window, RECT part) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&part), 2);
  const LONG width = part.right - part.left, height = part.bottom - part.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr), copy = CreateCompatibleDC(screen);
  HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(copy, shot);
  BitBlt(copy, 0, 0, width, height, screen, part.left, part.top, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (LONG i = 0; i < width * height; ++i) pixels.push_back(static_cast<const COLORREF*>(bits)[i] & 0xFFFFFF);
  DeleteDC(copy);
  DeleteObject(shot);
  ReleaseDC(nullptr, screen);
  return pixels;
}

namespace {

struct TopWindowSearch {
  DWORD pid;
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TopWindowSearch*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t text[64] = {};
  GetWindowTextW(hwnd, text, 64);
  if ((!s->pid || owner == s->pid) && (!s->caption || std::wstring(text) == s->caption) && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindTopWindow(DWORD pid, const wchar_t* caption) {
  TopWindowSearch search{pid, caption, nullptr};
  EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace driver
