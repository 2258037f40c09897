// WinMain: creates Form1 and runs the event loop until the window is closed.
#include <windows.h>
#include <commctrl.h>

#include "app/form1.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  static tavi::Win32Platform platform;
  static tavi::Form1 form(platform);
  if (!form.Create(instance, show)) return 1;
  platform.SetDialogWindow(reinterpret_cast<tavi::WindowHandle>(form.hwnd()));

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) platform.Dispatch(&msg);
  return static_cast<int>(msg.wParam);
}
