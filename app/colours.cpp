// The colours tavi's windows take on this screen: solid on palette screens, the system's under
// high contrast.
#include "app/colours.h"

namespace tavi {

bool PaletteScreen(HDC screen) { return GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) <= 8; }

// On a screen of 256 colours or fewer, the nearest colour it shows solid: of
// the 20 colours of the default palette, which such screens always show
// (the system palette's other entries may still be dithered in a brush),
// then the nearest the device has (16-colour VGA lacks four of the 20).
COLORREF SolidColour(HDC screen, COLORREF colour) {
  if (!PaletteScreen(screen)) return colour;
  const auto palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  PALETTEENTRY entry{};
  GetPaletteEntries(palette, GetNearestPaletteIndex(palette, colour), 1, &entry);
  return GetNearestColor(screen, RGB(entry.peRed, entry.peGreen, entry.peBlue));
}

bool HighContrastOn() {
  HIGHCONTRASTA setting{};
  setting.cbSize = sizeof setting;
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
         (setting.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace tavi
