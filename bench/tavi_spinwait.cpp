// tavi with the busy wait it replaces: between clock checks it only handles events.
// Built for the CPU benchmark, to measure the two side by side.
#include <windows.h>

#include "app/form1.h"

namespace {
class SpinningPlatform : public tavi::Win32Platform {
 public:
  void WaitForEventOrTimeout(double) override {}
};
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  static SpinningPlatform platform;
  static tavi::Form1 form(platform);
  if (!form.Create(instance, show)) return 1;
  platform.SetDialogWindow(reinterpret_cast<tavi::WindowHandle>(form.hwnd()));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) platform.Dispatch(&msg);
  return 0;
}
