// WinMain: creates Form1 and runs the event loop until the window is closed.
#include <windows.h>
#include <commctrl.h>

#include "app/form1.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  static tavi::Win32Platform platform;
  return tavi::RunForm1(platform, instance, show);
}
