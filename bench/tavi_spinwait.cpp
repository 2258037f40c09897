// tavi with the busy wait it replaces: between clock checks it only handles events.
// Built for the CPU benchmark, to measure the two side by side.
#include <windows.h>

#include "app/form1.h"
#include "app/start.h"

namespace {
class SpinningPlatform : public tavi::Win32Platform {
 public:
  bool EventsPending() override { return true; }
  bool WaitForEventOrTimeout(double) override { return true; }  // never blocks
};
}  // namespace

int TaviMain(HINSTANCE instance, int show) {
  SpinningPlatform platform;
  return tavi::RunForm1(platform, instance, show);
}
