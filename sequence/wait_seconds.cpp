// WaitSeconds: a wait that keeps the window responsive and the processor idle.
#include "sequence/sequence.h"

namespace tavi {

namespace {
constexpr double kSecondsPerDay = 86400.0;
// After a wait that failed: a short sleep instead of spinning on the clock.
constexpr double kPauseAfterAFailedWait = 0.01;
}  // namespace

void WaitSeconds(const std::int32_t& seconds, Platform& platform, const StopCheck& stopped) {
  double now = platform.TimeOfDay();
  const std::int32_t start = RoundToInt32(now);
  // The clock starts again from zero at midnight; `offset` unwraps it (and
  // absorbs any other step back of the clock) so a wait always lasts the
  // same time, wherever it falls in the day.
  double offset = 0.0;
  double last = now;
  double elapsed = now - start;
  // Whether the queue check is believed: not right after one that said
  // events were waiting when none was there to handle (its bits are a hint).
  bool checkQueue = true;
  while (elapsed < seconds && !(stopped && stopped())) {
    // Events already queued are handled at once: a wait would not wake for
    // them (before Windows 2000 it wakes only for events new since the last
    // look).
    const bool pending = checkQueue && platform.EventsPending();
    if (!pending && !platform.WaitForEventOrTimeout(seconds - elapsed)) platform.Pause(kPauseAfterAFailedWait);
    checkQueue = platform.ProcessPendingEvents() || !pending;
    now = platform.TimeOfDay();
    if (now < last) offset += (last - now > kSecondsPerDay / 2) ? kSecondsPerDay : last - now;
    last = now;
    elapsed = (now + offset) - start;
  }
}

}  // namespace tavi
