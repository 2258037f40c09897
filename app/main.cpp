// tavi's main: the common controls, the platform, and Form1 with its event loop until the window closes.
#include <windows.h>
#include <commctrl.h>

#include "app/form1.h"
#include "app/start.h"

int TaviMain(HINSTANCE instance, int show) {
  // Loads comctl32 (version 6, by the manifest, from XP on: the visual
  // styles). The Ex form is missing from Windows 95's first comctl32.
  InitCommonControls();
  tavi::Win32Platform platform;
  return tavi::RunForm1(platform, instance, show);
}
