// The desktop as a user meets it, for tests and benchmarks: a window of one's own in front, the
// keyboard, the colours on the screen, the top-level windows.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace driver {

// A window of the test's own, in front with the keyboard focus, as the window a user types in;
// it runs on a thread of its own and records the characters typed into it.
class UserWindow {
 public:
  UserWindow();
  UserWindow(const UserWindow&) = delete;
  UserWindow& operator=(const UserWindow&) = delete;
  ~UserWindow();
  HWND hwnd() const { return hwnd_; }
  std::wstring Typed() const;

 private:
  static DWORD WINAPI Run(void* self);
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  mutable CRITICAL_SECTION lock_;
  std::wstring typed_;
  HANDLE thread_ = nullptr, ready_ = nullptr;
  DWORD threadId_ = 0;
  HWND hwnd_ = nullptr;
};

// The name a screen reader gives a window, read through Active Accessibility (oleacc).
std::wstring AccessibleName(HWND window);

// Types keys on the keyboard (SendInput): they go to whichever window has the focus. `held`, when
// given (such as VK_MENU, Alt), is held down while they are typed.
void TypeKeys(const std::vector<WORD>& virtualKeys, WORD held = 0);

// A click of the left mouse button at `at` (screen coordinates), as the mouse makes it.
void ClickAt(POINT at);

// The colours the screen shows in `part` of `window`'s client area; the pixels, row by row.
std::set<COLORREF> ColoursIn(HWND window, RECT part);
std::vector<COLORREF> PixelsIn(HWND window, RECT part);

// A visible top-level window of process `pid` (0: any process) whose caption
// is `caption` (nullptr: any caption); nullptr if there is none.
HWND FindTopWindow(DWORD pid, const wchar_t* caption);

}  // namespace driver
