// The preview window: opened beside tavi without taking the keyboard, kept up to date as the user
// types and once a second (rooms open and close), closed by Esc (which stops the runs too), F2 or its close box.
#include "app/preview.h"

#include <algorithm>

#include "chat/chat.h"
#include "platform/win32/dpi_api.h"
#include "platform/win32/lookup.h"
#include "platform/win32/window_api.h"

namespace tavi {

namespace {

const wchar_t kClassName[] = L"tavi.Preview";
constexpr UINT_PTR kRoomTimer = 1;
constexpr int kWidthTwips = 9000;  // 600 pixels at 96 DPI

// The part of `window`'s screen left for windows (Windows 98 and 2000 on), or of the main screen.
RECT WorkArea(HWND window) {
  BOOL(WINAPI * monitorInfo)(HMONITOR, MONITORINFO*);
  LookUp(monitorInfo, GetModuleHandleA("USER32.DLL"), "GetMonitorInfoA");
  const auto monitorFromWindow = CurrentDpiApi().monitorFromWindow;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!monitorFromWindow || !monitorInfo || !monitorInfo(monitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
  }
  return info.rcWork;
}

}  // namespace

void Preview::Toggle(HWND owner) {
  if (hwnd_) {
    Close();
  } else {
    Open(owner);
  }
}

void Preview::Close() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Preview::Open(HWND owner) {
  owner_ = owner;
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  WNDCLASSEXW wc{};  // registered at the first opening; again, it is there already
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.lpszClassName = kClassName;
  CurrentWindowApi().RegisterWindowClass(wc);
  dpi_ = CurrentDpiApi().DpiOf(owner);
  if (!dpi_) dpi_ = CurrentDpiApi().systemDpi;
  // Owned by tavi (it hides and closes with it), above other windows as tavi is.
  // As high as its rows, once they are made (Fit).
  if (!CurrentWindowApi().CreateWindowWithText(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"tavi preview",
                                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 0,
                                               Pixels(kWidthTwips, dpi_), 0, owner, nullptr, instance, this)) {
    return;
  }
  Fit();
  Place();
  Update(true);
  // Shown, never activated: the keyboard stays where the user is typing.
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  SetTimer(hwnd_, kRoomTimer, 1000, nullptr);
}

void Preview::Update(bool room) {
  if (!hwnd_) return;
  // (A text that cannot be read for lack of memory leaves the rows as they were.)
  if (const std::optional<WideString> text = CurrentWindowApi().TextOf(message_))
    PreviewPosts(*text, platform_, posts_);
  // Each row holds its post's text, for screen readers; a new text draws the row anew.
  for (std::size_t k = 0; k < posts_.size(); ++k) {
    CurrentWindowApi().SetText(rows_[k + 1], posts_[k].line.plain);
  }
  if (room) UpdateRoom();
}

void Preview::UpdateRoom() {
  const std::optional<WideString> frame = CurrentWindowApi().TextOf(frameClass_);
  if (!frame) return;
  room_ = DescribeChatRoom(*frame, platform_);
  CurrentWindowApi().SetText(rows_[0], room_);
}

void Preview::Place() {
  // Below tavi, or else above it, as far on the screen as it goes.
  RECT tavi, window;
  GetWindowRect(owner_, &tavi);
  GetWindowRect(hwnd_, &window);
  const LONG w = window.right - window.left, h = window.bottom - window.top;
  const RECT work = WorkArea(owner_);
  LONG y = tavi.bottom;
  if (y + h > work.bottom) y = tavi.top - h >= work.top ? tavi.top - h : work.bottom - h;
  const LONG x = std::max(work.left, std::min(tavi.left, work.right - w));
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Preview::Fit() {
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left,
               2 * margin_ + kRows * rowHeight_ + (window.bottom - window.top) - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Preview::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* preview = reinterpret_cast<Preview*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    preview = static_cast<Preview*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    preview->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(preview));
  }
  return preview ? preview->HandleMessage(msg, wp, lp) : CurrentWindowApi().defWindowProc(hwnd, msg, wp, lp);
}

LRESULT Preview::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  const HWND hwnd = hwnd_;
  switch (msg) {
    case WM_CREATE:
      // One owner-drawn label a row, in reading order: screen readers read each row's text, the
      // room's line first.
      for (int k = 0; k < kRows; ++k) {
        rows_[k] = CurrentWindowApi().CreateWindowWithText(
            0, L"STATIC", k == kNoteRow ? reinterpret_cast<const wchar_t*>(kNote) : L"",
            WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0, 0, 0, hwnd, nullptr, nullptr, nullptr);
      }
      MakeLook();
      return 0;
    case WM_SIZE:
      for (int k = 0; k < kRows; ++k) {
        SetWindowPos(rows_[k], nullptr, 0, margin_ + k * rowHeight_, LOWORD(lp), rowHeight_,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    case WM_DRAWITEM: DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_TIMER: UpdateRoom(); return 0;
    case WM_KEYDOWN:
      // Esc here is Esc in tavi: every run stops and the preview closes.
      if (wp == VK_ESCAPE) SendMessageA(owner_, WM_COMMAND, IDCANCEL, 0);
      if (wp == VK_F2) Close();
      return 0;
    case WM_DPICHANGED: {
      // Per-monitor DPI (Windows 8.1 on): the fonts for the new DPI, in the rectangle suggested.
      if (!CurrentDpiApi().PerMonitorAware(hwnd)) break;
      dpi_ = HIWORD(wp);
      MakeLook();
      const RECT& at = *reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Fit();
      return 0;
    }
    case WM_SETTINGCHANGE:
      if (wp != SPI_SETHIGHCONTRAST && wp != SPI_SETNONCLIENTMETRICS) break;
      [[fallthrough]];
    case WM_SYSCOLORCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_THEMECHANGED:
      // High contrast on or off, another colour depth or message font.
      MakeLook();
      Fit();
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_NCDESTROY:
      KillTimer(hwnd, kRoomTimer);
      FreeLook();
      room_.clear();
      hwnd_ = nullptr;
      break;
  }
  return CurrentWindowApi().defWindowProc(hwnd, msg, wp, lp);
}

}  // namespace tavi
