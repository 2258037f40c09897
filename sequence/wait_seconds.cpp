// WaitSeconds: a wait that keeps the window responsive and the processor idle.
#include "sequence/sequence.h"

namespace tavi {

namespace {
constexpr double kSecondsPerDay = 86400.0;
}

void WaitSeconds(const std::int32_t& seconds, Platform& platform) {
  double now = platform.TimeOfDay();
  const std::int32_t start = RoundToInt32(now);
  // The clock starts again from zero at midnight; `offset` unwraps it (and
  // absorbs any other step back of the clock) so a wait always lasts the
  // same time, wherever it falls in the day.
  double offset = 0.0;
  double last = now;
  double elapsed = now - start;
  while (elapsed < seconds) {
    platform.WaitForEventOrTimeout(seconds - elapsed);
    platform.ProcessPendingEvents();
    now = platform.TimeOfDay();
    if (now < last) offset += (last - now > kSecondsPerDay / 2) ? kSecondsPerDay : last - now;
    last = now;
    elapsed = (now + offset) - start;
  }
}

}  // namespace tavi
