// The colours tavi's windows take on this screen: solid ones on palette screens, and whether the
// user has high contrast on (the system's colours then).
#pragma once

#include <windows.h>

namespace tavi {

// The background of tavi's windows: a light grey.
inline constexpr COLORREF kFormBackground = 0x00EFEFEF;

// Whether the screen shows 256 colours or fewer.
bool PaletteScreen(HDC screen);
// On a palette screen, the nearest colour it shows solid; elsewhere `colour` itself.
COLORREF SolidColour(HDC screen, COLORREF colour);
// Whether the user has a high-contrast theme on; a Windows that cannot tell says no.
bool HighContrastOn();

}  // namespace tavi
