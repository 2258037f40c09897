// Form1's colours: its own three, made solid on palette screens, or the system's under high contrast.
#include "app/form1.h"
#include "platform/win32/window_api.h"

namespace tavi {

namespace {

// The form's, the message box's (a bright sky blue) and the frame-class box's.
constexpr COLORREF kColour[] = {0x00EFEFEF, 0x00FFC501, 0x00E0E0E0};

// On a screen of 256 colours or fewer, the nearest colour it shows solid: of
// the 20 colours of the default palette, which such screens always show
// (the system palette's other entries may still be dithered in a brush),
// then the nearest the device has (16-colour VGA lacks four of the 20).
COLORREF SolidColour(HDC screen, COLORREF colour) {
  const auto palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  PALETTEENTRY entry{};
  GetPaletteEntries(palette, GetNearestPaletteIndex(palette, colour), 1, &entry);
  return GetNearestColor(screen, RGB(entry.peRed, entry.peGreen, entry.peBlue));
}

// Whether the user has a high-contrast theme on; a Windows that cannot tell says no.
bool HighContrast() {
  HIGHCONTRASTA setting{};
  setting.cbSize = sizeof setting;
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
         (setting.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace

void Form1::MakeColours() {
  highContrast_ = HighContrast();
  // A screen of 256 colours or fewer dithers a brush of a colour it lacks,
  // but gives a text background the nearest solid colour: there both take
  // a solid colour, so each control is one flat colour.
  HDC screen = GetDC(nullptr);
  const bool palette = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) <= 8;
  for (int k = 0; k < kColours; ++k) {
    colour_[k] = palette ? SolidColour(screen, kColour[k]) : kColour[k];
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
