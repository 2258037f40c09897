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
  owner_ = owner;
  if (hwnd_) {
    Close();
  } else if (IsIconic(owner)) {
    // Placed beside a minimized window it would open off the screen: it opens on the restore.
    openOnRestore_ = !openOnRestore_;
  } else {
    Open(owner);
  }
}

void Preview::Close() {
  openOnRestore_ = false;
  if (hwnd_) DestroyWindow(hwnd_);
}

void Preview::TakeKeyboard(HWND owner) {
  if (!hwnd_) Open(owner);
  if (!hwnd_) return;
  // Asked for: the one time the preview is made active (the focus in a window of this thread
  // activates its top-level window).
  SetFocus(rows_[keyRow_]);
}

void Preview::OwnerMoved() {
  if (IsIconic(owner_)) return;
  if (hwnd_) {
    Place();
  } else if (openOnRestore_) {
    openOnRestore_ = false;
    Open(owner_);
  }
}

void Preview::ReturnKeyboard() {
  SendMessageA(owner_, WM_COMMAND, kPreviewKeyboardCommand, 0);  // tavi puts it in the message box
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
  // Owned by tavi (it hides and closes with it), above other windows as tavi is. A click never
  // activates it (WS_EX_NOACTIVATE where Windows knows it, 2000 on; WM_MOUSEACTIVATE on all).
  // Made where tavi is, on tavi's screen and at its DPI; as high as its rows, once they are made
  // (Fit), and then placed beside tavi (Place).
  RECT tavi;
  GetWindowRect(owner, &tavi);
  const DWORD version = GetVersion();
  const bool noActivateStyle = (version & 0x80000000) == 0 && LOBYTE(LOWORD(version)) >= 5;
  const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | (noActivateStyle ? WS_EX_NOACTIVATE : 0);
  if (!CurrentWindowApi().CreateWindowWithText(exStyle, kClassName, L"tavi preview",
                                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, tavi.left, tavi.top,
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
  // No more of the box than a preview shows (and a unit to tell it was cut). A text that cannot be
  // read for lack of memory leaves the rows as they were.
  Conversion conversion;
  if (const std::optional<WideString> text = CurrentWindowApi().TextOf(message_, kPreviewLength + 1))
    conversion = PreviewPosts(*text, platform_, posts_);
  // Each row holds its post's text, for screen readers; a new text draws the row anew.
  for (std::size_t k = 0; k < posts_.size(); ++k) Name(rows_[k + 1], posts_[k].line.plain);
  converted_ = ConversionNote(conversion);
  ShowArrivals();
  if (room) UpdateRoom();
}

void Preview::ShowArrivals() {
  if (!hwnd_) return;
  for (std::size_t k = 0; k < posts_.size(); ++k) {
    if (arrivals_.StateOf(k) == states_[k]) continue;
    states_[k] = arrivals_.StateOf(k);
    RedrawWindow(rows_[k + 1], nullptr, nullptr, RDW_INVALIDATE);
  }
  // What became of the posts while there is something to tell; else the note on the colours and
  // the code page.
  WideString note = arrivals_.Note();
  if (note.empty()) {
    AppendWords(note, kNote);
    if (!converted_.empty()) AppendWords(note, ". ");
    note += converted_;
  }
  if (note != note_) {
    note_ = std::move(note);
    Name(rows_[kNoteRow], note_);
  }
}

void Preview::Name(HWND row, const WideString& text) {
  // Screen readers take a "&" for the mark of a shortcut key and leave it out; "&&" they read as one.
  WideString name;
  for (const char16_t c : text) {
    name += c;
    if (c == u'&') name += c;
  }
  CurrentWindowApi().SetText(row, name);
}

void Preview::UpdateRoom() {
  const std::optional<WideString> frame = CurrentWindowApi().TextOf(frameClass_);
  if (!frame) return;
  // Set only when it changed: a screen reader says every change of a label's name.
  WideString room = DescribeChatRoom(*frame, platform_);
  if (room == room_) return;
  room_ = std::move(room);
  Name(rows_[0], room_);
}

void Preview::Place() {
  // Below tavi, else above it, on the screen: where it covers no part of tavi, or else the least.
  RECT tavi, window;
  GetWindowRect(owner_, &tavi);
  GetWindowRect(hwnd_, &window);
  const LONG h = window.bottom - window.top;
  const RECT work = WorkArea(owner_);
  const auto onScreen = [&](LONG y) { return std::max(work.top, std::min(y, work.bottom - h)); };
  const LONG below = onScreen(tavi.bottom), above = onScreen(tavi.top - h);
  // How far each covers tavi: the rows they share.
  const LONG y = below >= tavi.bottom || tavi.bottom - below <= above + h - tavi.top ? below : above;
  const LONG x = std::max(work.left, std::min(tavi.left, work.right - (window.right - window.left)));
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
  const WindowApi& api = CurrentWindowApi();
  switch (msg) {
    case WM_CREATE:
      // One owner-drawn label a row, in reading order: screen readers read each row's text, the
      // room's line first.
      // Each takes the keyboard when the user puts it in the preview (F6), and its keys go to RowProc.
      // Subclassed through the call of the window's own kind: a Unicode row stays Unicode.
      for (int k = 0; k < kRows; ++k) {
        rows_[k] = api.CreateWindowWithText(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0, 0, 0, hwnd,
                                            nullptr, nullptr, nullptr);
        SetWindowLongPtrA(rows_[k], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        rowProc_ = reinterpret_cast<WNDPROC>(
            api.setWindowLong(rows_[k], GWLP_WNDPROC, reinterpret_cast<LONG>(&Preview::RowProc)));
      }
      MakeLook();
      return 0;
    case WM_SIZE:
      // Every row drawn afresh at the new width: the ellipsis goes where the text is cut now.
      for (int k = 0; k < kRows; ++k) {
        SetWindowPos(rows_[k], nullptr, 0, margin_ + k * rowHeight_, LOWORD(lp), rowHeight_,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(rows_[k], nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
      }
      return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    // However it was made active (Alt+Tab brings back the popup last active, 95 and NT 4.0 may
    // activate it when a window closes), the keyboard is on the row it last had; keys that reach
    // the window itself do what they do on a row.
    case WM_SETFOCUS: SetFocus(rows_[keyRow_]); return 0;
    case WM_KEYDOWN: Key(wp, lp); return 0;
    case WM_NCLBUTTONDOWN:
      // Moved by its caption without being activated (DefWindowProc would activate it first).
      if (wp != HTCAPTION || GetActiveWindow() == hwnd) break;
      SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lp);
      return 0;
    case WM_DRAWITEM: DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_TIMER: UpdateRoom(); return 0;

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
      // (Its timer goes with the window.)
      FreeLook();
      keyRow_ = 0;
      room_.clear();
      note_.clear();
      for (PostState& state : states_) state = PostState::kNone;
      hwnd_ = nullptr;
      break;
  }
  return CurrentWindowApi().defWindowProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Preview::RowProc(HWND row, UINT msg, WPARAM wp, LPARAM lp) {
  auto* preview = reinterpret_cast<Preview*>(GetWindowLongPtrA(row, GWLP_USERDATA));
  if (msg == WM_SETFOCUS) {
    while (preview->rows_[preview->keyRow_] != row) preview->keyRow_ = (preview->keyRow_ + 1) % kRows;
  }
  if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS)
    RedrawWindow(row, nullptr, nullptr, RDW_INVALIDATE);  // its focus frame
  if (msg != WM_KEYDOWN) return CurrentWindowApi().callWindowProc(preview->rowProc_, row, msg, wp, lp);
  preview->Key(wp, lp);
  return 0;
}

void Preview::Key(WPARAM key, LPARAM lp) {
  // Up and Down from row to row; Esc is Esc in tavi (every run stops, the preview closes) and the
  // keyboard goes back to the message box, as F6 sends it; F2 closes the preview. F2 and F6 are
  // pressed alone, as in tavi: with Ctrl or Shift they are other keys.
  if (key == VK_UP && keyRow_ > 0) SetFocus(rows_[keyRow_ - 1]);
  if (key == VK_DOWN && keyRow_ + 1 < kRows) SetFocus(rows_[keyRow_ + 1]);
  if (lp & (1 << 30)) return;  // an auto-repeat of the others is no press
  if (key == VK_ESCAPE) SendMessageA(owner_, WM_COMMAND, IDCANCEL, 0);
  if ((key == VK_F2 || key == VK_F6) && (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0)) return;
  if (key == VK_ESCAPE || key == VK_F6) ReturnKeyboard();
  if (key == VK_F2) Close();
}

}  // namespace tavi
