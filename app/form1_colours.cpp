// Form1's colours: its own three, made solid on palette screens, or the system's under high contrast.
#include "app/colours.h"
#include "app/form1.h"
#include "platform/win32/window_api.h"

namespace tavi {

// The form's, the message box's (a bright sky blue) and the frame-class box's.
constexpr COLORREF kColour[] = {kFormBackground, 0x00FFC501, 0x00E0E0E0};

void Form1::MakeColours() {
  highContrast_ = HighContrastOn();
  // A screen of 256 colours or fewer dithers a brush of a colour it lacks,
  // but gives a text background the nearest solid colour: there both take
  // a solid colour, so each control is one flat colour.
  HDC screen = GetDC(nullptr);
  for (int k = 0; k < kColours; ++k) {
    colour_[k] = SolidColour(screen, kColour[k]);
    if (brush_[k]) DeleteObject(brush_[k]);
    brush_[k] = CreateSolidBrush(colour_[k]);
  }
  ReleaseDC(nullptr, screen);
}

HBRUSH Form1::FormBrush() const {
  return highContrast_ ? reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1) : brush_[kFormColour];
}

void Form1::Recolour() {
  MakeColours();
  SetClassLongPtrA(hwnd_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(FormBrush()));
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT Form1::ControlColours(UINT msg, WPARAM wp, LPARAM lp) {
  // Under high contrast every control takes the system's colours.
  if (highContrast_) return CurrentWindowApi().defWindowProc(hwnd_, msg, wp, lp);
  const auto dc = reinterpret_cast<HDC>(wp);
  if (msg == WM_CTLCOLOREDIT) {
    const auto control = reinterpret_cast<HWND>(lp);
    const Colour box = control == text1_ ? kText1Colour : kText10Colour;
    SetBkColor(dc, colour_[box]);
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(brush_[box]);
  }
  SetBkColor(dc, colour_[kFormColour]);
  return reinterpret_cast<LRESULT>(brush_[kFormColour]);
}

}  // namespace tavi
