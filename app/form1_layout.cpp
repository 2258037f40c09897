// Form1's layout: the window and its controls placed from their twips at the window's DPI.
#include <algorithm>

#include "app/form1.h"
#include "platform/win32/dpi_api.h"
#include "platform/win32/window_api.h"

namespace tavi {

namespace {

// The controls' places in twips.
struct Placement {
  int left, top, width, height;
};
constexpr Placement kCommand1 = {3720, 120, 735, 375};
constexpr Placement kText1 = {120, 120, 3495, 375};
constexpr Placement kText10 = {120, 600, 3495, 375};  // below the visible client area

}  // namespace

SIZE Form1::FrameSize(int dpiX, int dpiY) const {
  RECT frame = {0, 0, Pixels(kClientWidth, dpiX), Pixels(heightTwips_, dpiY)};
  CurrentDpiApi().AdjustFrame(frame, kForm1Style, dpiY);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Form1::PlaceControls() {
  // The controls' text is never clipped: the boxes and the button are all
  // 375 twips high, and their 3-D edges and a pixel of margin above and
  // below leave the rest for the text. A larger message font is made to fit.
  const int inside = Pixels(kText1.height, dpiY_) - 2 * (CurrentDpiApi().SystemMetric(SM_CYEDGE, dpiY_) + 1);
  const HFONT previous = font_;
  font_ = CurrentWindowApi().CreateMessageFont(inside, dpiY_);
  const struct {
    HWND control;
    Placement p;
  } controls[] = {{command1_, kCommand1}, {text1_, kText1}, {text10_, kText10}};
  for (const auto& [control, p] : controls) {
    SetWindowPos(control, nullptr, Pixels(p.left, dpiX_), Pixels(p.top, dpiY_), Pixels(p.width, dpiX_),
                 Pixels(p.height, dpiY_), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  if (previous) DeleteObject(previous);
}

void Form1::FitClientArea() {
  // The frame may not be what the metrics for it say: third-party themes,
  // the frame Vista and later give programs made for Windows 4.0, the frame
  // of a per-monitor v1 window, which stays at the system's DPI.
  RECT window, client;
  if (IsIconic(hwnd_) || !GetWindowRect(hwnd_, &window) || !GetClientRect(hwnd_, &client)) return;
  const int wider = Pixels(kClientWidth, dpiX_) - client.right, taller = Pixels(heightTwips_, dpiY_) - client.bottom;
  if (wider || taller) {
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + wider, window.bottom - window.top + taller,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Frame();
}

SIZE Form1::Frame() {
  RECT window, client;
  if (!IsIconic(hwnd_) && GetWindowRect(hwnd_, &window) && GetClientRect(hwnd_, &client) && client.right > 0 &&
      client.bottom > 0) {
    frame_ = {window.right - window.left - client.right, window.bottom - window.top - client.bottom};
  }
  return frame_;
}

void Form1::Reframe() {
  if (IsIconic(hwnd_)) {
    reframeOnRestore_ = true;
    return;
  }
  reframeOnRestore_ = false;
  PlaceControls();
  FitClientArea();
}

void Form1::ChangeDpi(int dpiX, int dpiY, const RECT* suggested) {
  changingDpi_ = true;
  dpiX_ = dpiX;
  dpiY_ = dpiY;
  // Where Windows suggests, whole (so the window does not flip between two
  // screens' DPIs at their edge), or where it is, at the size for the DPI.
  RECT at;
  if (suggested) {
    at = *suggested;
  } else {
    const SIZE frame = FrameSize(dpiX_, dpiY_);
    GetWindowRect(hwnd_, &at);
    at.right = at.left + frame.cx;
    at.bottom = at.top + frame.cy;
  }
  SetWindowPos(hwnd_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top, SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientArea();
  changingDpi_ = false;
  PlaceControls();
  LoadIcons();
}

void Form1::SizeBounds(MINMAXINFO& bounds) {
  // The frame as it is (see FitClientArea), around the form's client area.
  // A restore asks while the window still has its minimized rectangle: then
  // the frame it had before.
  const SIZE frame = Frame();
  if (!frame.cx) return;
  const int width = Pixels(kClientWidth, dpiX_) + frame.cx;
  bounds.ptMinTrackSize = {width, Pixels(kClientHeight, dpiY_) + frame.cy};
  bounds.ptMaxTrackSize = {width, Pixels(kTallestHeight, dpiY_) + frame.cy};
  // Maximized (a start asked for it) too, it is no wider or taller.
  bounds.ptMaxSize = bounds.ptMaxTrackSize;
}

void Form1::KeepHeight() {
  RECT client;
  if (changingDpi_ || IsIconic(hwnd_) || !GetClientRect(hwnd_, &client) || client.bottom <= 0) return;
  heightTwips_ = std::clamp(MulDiv(client.bottom, 1440, dpiY_), kClientHeight, kTallestHeight);
}

void Form1::LoadIcons() {
  // Icon by number: the ANSI call serves every Windows.
  const DpiApi& dpi = CurrentDpiApi();
  static constexpr struct {
    WPARAM which;
    int width, height;
  } sizes[] = {{ICON_BIG, SM_CXICON, SM_CYICON}, {ICON_SMALL, SM_CXSMICON, SM_CYSMICON}};
  for (const auto& [which, width, height] : sizes) {
    const auto icon =
        static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(1), IMAGE_ICON, dpi.SystemMetric(width, dpiX_),
                                      dpi.SystemMetric(height, dpiY_), LR_DEFAULTCOLOR));
    if (!icon) continue;
    HICON& mine = which == ICON_BIG ? icon_ : smallIcon_;
    SendMessageA(hwnd_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    if (mine) DestroyIcon(mine);
    mine = icon;
  }
}

}  // namespace tavi
