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
  return tavi::RunForm1(platform, instance, show);
}
