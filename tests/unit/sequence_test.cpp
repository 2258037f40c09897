// The send sequence: order, fresh reads, waits, nested runs and ending mid-run.
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "sequence/sequence.h"

namespace tavi {
namespace {

using testing::FakePlatform;
using testing::ProcessEnded;

// A click session against the fake platform with a message box and a recording poster.
struct Session {
  FakePlatform platform;
  WideString box = u"hi";
  std::vector<WideString> posts;
  std::vector<double> postTimes;
  std::vector<std::int32_t> waits;

  void Click(const VariantRoster& roster) {
    SendAllVariants([this] { return box; }, roster,
                    [this](WideString& line) {
                      posts.push_back(line);
                      postTimes.push_back(platform.time);
                      line = u"poster's own copy";  // the sequence must not reuse it
                    },
                    [this](const std::int32_t& seconds) {
                      waits.push_back(seconds);
                      WaitSeconds(seconds, platform);
                    });
  }
};

VariantRoster Numbered(int count) {
  VariantRoster roster;
  for (int k = 1; k <= count; ++k) {
    roster.push_back([k](const WideString& t) { return WideString(1, char16_t(u'0' + k)) + u":" + t; });
  }
  return roster;
}

TEST(SendAllVariants, SevenPostsInRosterOrderWithSixWaitsOfOneSecond) {
  Session run;
  run.platform.SetTimeOfDay(100.2);
  run.Click(Numbered(7));
  EXPECT_EQ(run.posts, (std::vector<WideString>{u"1:hi", u"2:hi", u"3:hi", u"4:hi", u"5:hi",
                                                 u"6:hi", u"7:hi"}));
  EXPECT_EQ(run.waits, std::vector<std::int32_t>(6, 1));
  // No wait after the last post.
  EXPECT_DOUBLE_EQ(run.platform.time, run.postTimes.back());
  EXPECT_EQ(RoundToInt32(kPostInterval), 1);
}

TEST(SendAllVariants, TheRealRosterOnAnEmptyMessageBox) {
  Session run;
  run.box = u"";
  run.Click(MakeVariantRoster(run.platform));
  EXPECT_EQ(run.posts, (std::vector<WideString>{u"\u2022", u"", u"-", u".", u"", u"", u""}));
}

TEST(SendAllVariants, TheRealRosterInItsFixedOrder) {
  Session run;
  run.box = u"Noel";
  run.platform.draws = {0.0f, 0.0f, 0.25f, 0.25f};
  run.Click(MakeVariantRoster(run.platform));
  ASSERT_EQ(run.posts.size(), 7u);
  EXPECT_EQ(run.posts[0], u"N\u2022o\u2022e\u2022l\u2022\u2022");
  EXPECT_EQ(run.posts[1], u"\u00D1\u0153l");
  EXPECT_EQ(run.posts[2], u"N-o-e-l--");
  EXPECT_EQ(run.posts[3], u"N.o.e.l..");
  // Variants 5 and 6 make their own draws: red for the first, blue for the second.
  EXPECT_NE(run.posts[4].find(u"#ff0000"), WideString::npos);
  EXPECT_NE(run.posts[5].find(u"#0000ff"), WideString::npos);
  EXPECT_EQ(run.posts[4].size(), run.posts[5].size());
  EXPECT_EQ(run.posts[6], u"<sup>N</sup>o<sub>e</sub>l");
}

TEST(SendAllVariants, AnEditDuringTheFirstWaitShowsInLaterVariants) {
  Session run;
  run.platform.SetTimeOfDay(100.0);
  run.platform.At(100.5, [&] { run.box = u"new"; });
  run.Click(Numbered(7));
  EXPECT_EQ(run.posts[0], u"1:hi");
  for (int k = 1; k < 7; ++k) EXPECT_EQ(run.posts[k].substr(2), u"new") << k;
}

TEST(SendAllVariants, ASecondClickRunsNestedAndFinishesFirst) {
  Session run;
  run.platform.SetTimeOfDay(100.0);
  const VariantRoster roster = Numbered(7);
  run.platform.At(100.3, [&] {
    run.box = u"in";
    run.Click(roster);
    run.box = u"out";
  });
  run.Click(roster);
  ASSERT_EQ(run.posts.size(), 14u);
  EXPECT_EQ(run.posts[0], u"1:hi");
  for (int k = 0; k < 7; ++k) EXPECT_EQ(run.posts[1 + k], WideString(1, char16_t(u'1' + k)) + u":in");
  for (int k = 1; k < 7; ++k) EXPECT_EQ(run.posts[7 + k], WideString(1, char16_t(u'1' + k)) + u":out");
}

TEST(SendAllVariants, EndingTheProcessStopsTheRun) {
  Session run;
  run.platform.SetTimeOfDay(100.0);
  run.platform.At(102.5, [&] { run.platform.EndProcess(); });
  EXPECT_THROW(run.Click(Numbered(7)), ProcessEnded);
  EXPECT_EQ(run.posts.size(), 3u);
  run.platform.time += 60;
  EXPECT_EQ(run.posts.size(), 3u);
}

TEST(SendAllVariants, WithoutAnyRoomTheRunStillWaitsBetweenPosts) {
  Session run;
  run.platform.SetTimeOfDay(1000.0);
  run.Click(Numbered(7));
  EXPECT_DOUBLE_EQ(run.platform.time, 1006.0);
}

}  // namespace
}  // namespace tavi
