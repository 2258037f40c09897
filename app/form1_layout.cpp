// Form1's layout: the window and its controls placed from their twips at the window's DPI.
#include "app/form1.h"
#include "platform/win32/window_api.h"

namespace tavi {

namespace {

// Sizes and positions in twips (1/1440 inch).
constexpr int kClientWidth = 4605;
constexpr int kClientHeight = 585;
struct Placement {
  int left, top, width, height;
};
constexpr Placement kCommand1 = {3720, 120, 735, 375};
constexpr Placement kText1 = {120, 120, 3495, 375};
constexpr Placement kText10 = {120, 600, 3495, 375};  // below the visible client area

int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

}  // namespace

SIZE Form1::FrameSize(int dpiX, int dpiY) const {
  RECT frame = {0, 0, Pixels(kClientWidth, dpiX), Pixels(kClientHeight, dpiY)};
  CurrentWindowApi().AdjustFrame(frame, kForm1Style, dpiY);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Form1::PlaceControls() {
  const WindowApi& api = CurrentWindowApi();
  // The controls' text is never clipped: the boxes and the button are all
  // 375 twips high, and their 3-D edges and a pixel of margin above and
  // below leave the rest for the text. A larger message font is made to fit.
  const int inside = Pixels(kText1.height, dpiY_) - 2 * (api.SystemMetric(SM_CYEDGE, dpiY_) + 1);
  const HFONT previous = font_;
  font_ = api.CreateMessageFont(inside, dpiY_);
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

void Form1::ChangeDpi(int dpiX, int dpiY, const POINT* position) {
  dpiX_ = dpiX;
  dpiY_ = dpiY;
  RECT now;
  GetWindowRect(hwnd_, &now);
  const POINT at = position ? *position : POINT{now.left, now.top};
  const SIZE frame = FrameSize(dpiX_, dpiY_);
  SetWindowPos(hwnd_, nullptr, at.x, at.y, frame.cx, frame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  // The client area is the form's size also where the frame did not change
  // with the DPI as the metrics for it said (the frame of a per-monitor v1
  // window, on Windows 10 1607, stays at the system's DPI).
  RECT client;
  GetClientRect(hwnd_, &client);
  const int wider = Pixels(kClientWidth, dpiX_) - client.right, taller = Pixels(kClientHeight, dpiY_) - client.bottom;
  if (wider || taller) {
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx + wider, frame.cy + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  PlaceControls();
}

}  // namespace tavi
