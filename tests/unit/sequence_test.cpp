// The send sequence: roster order, a fresh read per variant, the waits between posts.
#include "sequence/sequence.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "heap_limit.h"

namespace tavi {
namespace {

using testing::FakePlatform;

// A click against the fake platform, with a message box and a recording poster.
struct Session {
  FakePlatform platform;
  WideString box = u"hi";
  int reads = 0;
  std::vector<WideString> posts;
  std::vector<double> postTimes;
  std::vector<std::int32_t> waits;

  int unreadable = 0;  // this read finds no memory for the text

  void Click(const VariantRoster& roster, const StopCheck& stopped = {}) {
    SendAllVariants(
        [this]() -> std::optional<WideString> {
          if (++reads == unreadable) return std::nullopt;
          return box;
        },
        roster,
        [this](WideString& line) {
          posts.push_back(line);
          postTimes.push_back(platform.time);
          line = u"poster's own copy";  // the sequence must not reuse it
        },
        [this, &stopped](const std::int32_t& seconds) {
          waits.push_back(seconds);
          WaitSeconds(seconds, platform, stopped);
        },
        stopped);
  }
};

VariantRoster Numbered(int count) {
  VariantRoster roster;
  for (int k = 1; k <= count; ++k) {
    roster.push_back(
        [k](const WideString& t) -> std::optional<WideString> { return WideString(1, char16_t(u'0' + k)) + u":" + t; });
  }
  return roster;
}

TEST(SendAllVariants, SevenPostsInRosterOrderWithSixWaitsOfOneSecond) {
  Session run;
  run.platform.time = 100.2;
  run.Click(Numbered(7));
  EXPECT_EQ(run.posts, (std::vector<WideString>{u"1:hi", u"2:hi", u"3:hi", u"4:hi", u"5:hi", u"6:hi", u"7:hi"}));
  EXPECT_EQ(run.reads, 7);
  EXPECT_EQ(run.waits, std::vector<std::int32_t>(6, 1));
  EXPECT_DOUBLE_EQ(run.platform.time, run.postTimes.back());  // no wait after the last post
}

TEST(SendAllVariants, TheRealRosterOnAnEmptyMessageBox) {
  Session run;
  run.box = u"";
  run.Click(MakeVariantRoster(run.platform));
  EXPECT_EQ(run.posts, (std::vector<WideString>{u"\u2022", u"", u"-", u".", u"", u"", u""}));
}

// A storm of clicks during a run: each starts a run nested in the one before
// up to the bound, the rest are refused; once the runs end, a click runs again.
TEST(SendAllVariants, ClickedDuringItsWaitsItNestsUpToTheBound) {
  Session run;
  RunsInProgress runs;
  int started = 0, refused = 0;
  const std::function<void()> click = [&] {
    if (!runs.TryStart([&] {
          ++started;
          run.Click(Numbered(7));
        }))
      ++refused;
  };
  for (int i = 0; i < 40; ++i) run.platform.At(0.0, click);  // all waiting at the first wait
  click();
  EXPECT_EQ(started, RunsInProgress::kMost);
  EXPECT_EQ(refused, 41 - RunsInProgress::kMost);
  EXPECT_EQ(run.posts.size(), 7u * RunsInProgress::kMost);
  EXPECT_TRUE(runs.TryStart([] {}));
}

// Esc stops every run in progress, the outer one and those nested in it: no
// post after it, and the waits end at once. A press after it, also one queued
// right behind it, makes a whole run; so does the next press once all ended.
TEST(SendAllVariants, EscStopsEveryRunInProgress) {
  const struct {
    const char* what;
    double escAt;
    bool pressBehind;   // a press queued right behind the Esc
    const char* posts;  // the roster position of each post, in order
    double endsAt;
  } cases[] = {
      // The outer run posts at 100, the nested one at 100.25 and, styled
      // from 101 to 101.1, at 101.1.
      {"during the nested run's second wait", 101.5, false, "112", 101.5},
      {"a press right behind it", 101.5, true, "1121234567", 108.0},
      {"while the nested run styles", 101.05, false, "11", 101.1},
  };
  for (const auto& c : cases) {
    Session run;
    RunsInProgress runs;
    VariantRoster roster = Numbered(7);
    // A style that takes a tenth of a second and handles events meanwhile.
    roster[1] = [&run, styled = roster[1]](const WideString& text) {
      run.platform.time += 0.1;
      run.platform.ProcessPendingEvents();
      return styled(text);
    };
    const std::function<void()> press = [&] {
      runs.TryStart([&] { run.Click(roster, [&] { return runs.Stopped(); }); });
    };
    run.platform.time = 100.0;
    run.platform.At(100.25, press);
    run.platform.At(c.escAt, [&] { runs.StopAll(); });
    if (c.pressBehind) run.platform.At(c.escAt, press);
    press();
    std::string positions;
    for (const WideString& post : run.posts) positions += static_cast<char>(post[0]);
    EXPECT_EQ(positions, c.posts) << c.what;
    EXPECT_NEAR(run.platform.time, c.endsAt, 1e-9) << c.what;
    press();
    EXPECT_EQ(run.posts.size(), positions.size() + 7) << c.what;
  }
  // With no run in progress, Esc stops nothing to come.
  RunsInProgress runs;
  runs.StopAll();
  bool whole = false;
  runs.TryStart([&] { whole = !runs.Stopped(); });
  EXPECT_TRUE(whole);
}

// A variant whose text cannot be read for lack of memory is not posted; the
// run goes on with the next variant.
TEST(SendAllVariants, AnUnreadableTextSkipsOnlyThatPost) {
  Session run;
  run.unreadable = 3;
  run.Click(Numbered(7));
  EXPECT_EQ(run.posts, (std::vector<WideString>{u"1:hi", u"2:hi", u"4:hi", u"5:hi", u"6:hi", u"7:hi"}));
  EXPECT_EQ(run.waits.size(), 6u);
}

// With the real styles on a heap that refuses blocks over 20,000 bytes, only
// the colour runs (24,714 units of 1,000) do not fit. Nothing throws.
TEST(SendAllVariants, TheRealStylesOnAHeapShortOfMemory) {
  Session run;
  run.box = WideString(1000, u'q');
  run.posts.reserve(7);
  {
    const testing::HeapLimit limit(20000);
    run.Click(MakeVariantRoster(run.platform));
  }
  ASSERT_EQ(run.posts.size(), 5u);
  const std::vector<std::size_t> sizes = {2001, 1000, 2001, 2001, 6500};
  for (std::size_t k = 0; k < sizes.size(); ++k) EXPECT_EQ(run.posts[k].size(), sizes[k]) << k;
  EXPECT_EQ(run.posts[4].substr(0, 5), u"<sup>");
  EXPECT_EQ(run.waits.size(), 6u);
}

}  // namespace
}  // namespace tavi
