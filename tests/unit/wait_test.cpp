// WaitSeconds: the start rounded to a whole second (ties to even), events during the wait, midnight.
#include <gtest/gtest.h>

#include <cmath>

#include "fake_platform.h"
#include "sequence/sequence.h"

namespace tavi {
namespace {

using testing::FakePlatform;

TEST(WaitSeconds, EndsAtTheRoundedStartPlusTheSeconds) {
  const struct {
    double clock;
    std::int32_t seconds;
    double endsAt;
    bool handlesEvents;
  } cases[] = {
      {100.2, 0, 100.2, false},  // start rounds down: the first check already fails
      {100.7, 0, 101.0, true},   // start rounds up to 101
      {100.4, 1, 101.0, true},   // about 0.6 s
      {100.6, 1, 102.0, true},   // about 1.4 s
      {100.5, 1, 101.0, true},   // ties to even: start 100
      {101.5, 1, 103.0, true},   // ties to even: start 102
      {100.0, 1, 101.0, true},  {100.2, -1, 100.2, false}, {100.7, -1, 100.7, false}, {50.0, 3, 53.0, true},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.time = c.clock;
    WaitSeconds(c.seconds, platform);
    EXPECT_DOUBLE_EQ(platform.time, c.endsAt) << c.clock << " " << c.seconds;
    EXPECT_EQ(platform.processCalls > 0, c.handlesEvents) << c.clock << " " << c.seconds;
  }
}

// The wait blocks until its end or the next event instead of spinning, and
// handles each event as it comes, one already waiting when it begins at once
// (before Windows 2000 a blocking wait does not wake for it). A failed wait
// sleeps a little before the next; a queue check that said "pending" with
// nothing to handle is followed by a real wait, not by another check.
TEST(WaitSeconds, BlocksUntilTheNextEventOrTheEnd) {
  const struct {
    const char* what;
    double start;
    std::vector<double> events;
    bool waitsFail, stuckQueueBit;
    std::vector<double> handledAt;
    int mostTurns;  // spinning on the clock would take about a million
  } cases[] = {
      {"no event", 100.4, {}, false, false, {}, 1},
      {"events", 100.0, {100.0, 100.25, 100.5, 100.75}, false, false, {100.0, 100.25, 100.5, 100.75}, 5},
      {"every wait fails", 100.0, {}, true, false, {}, 150},
      {"a queue bit stuck on", 100.0, {100.5}, false, true, {100.5}, 5},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.time = c.start;
    platform.waitsFail = c.waitsFail;
    platform.stuckQueueBit = c.stuckQueueBit;
    std::vector<double> handledAt;
    for (double t : c.events) platform.At(t, [&] { handledAt.push_back(platform.time); });
    WaitSeconds(1, platform);
    EXPECT_NEAR(platform.time, 101.0, c.waitsFail ? 0.011 : 1e-5) << c.what;
    for (double& t : handledAt) t = std::round(t * 1e4) / 1e4;  // a stuck bit's turns take a microsecond each
    EXPECT_EQ(handledAt, c.handledAt) << c.what;
    EXPECT_LE(platform.processCalls, c.mostTurns) << c.what;
    // The last wait blocks from the last event, or the start, to the end.
    const double last = c.handledAt.empty() ? c.start : c.handledAt.back();
    if (!c.waitsFail) {
      EXPECT_NEAR(platform.blockingWaits.back(), 101.0 - last, 1e-5) << c.what;
    }
  }
}

TEST(WaitSeconds, LastsTheSameAcrossMidnight) {
  const struct {
    double clock;
    double duration;
  } cases[] = {
      {86399.2, 0.8},  // start 86399, ends as the clock wraps
      {86399.4, 0.6},
      {86399.7, 1.3},  // start rounds up to midnight itself
      {86399.9, 1.1},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.time = c.clock;
    // Events keep the wait checking the clock on both sides of midnight.
    for (double t = c.clock + 0.1; t < c.clock + 2; t += 0.1) platform.At(t, [] {});
    WaitSeconds(1, platform);
    EXPECT_NEAR(platform.time - c.clock, c.duration, 1e-6) << c.clock;
  }
}

}  // namespace
}  // namespace tavi
