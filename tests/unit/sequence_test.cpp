// The send sequence: roster order, a fresh read per variant, the waits between posts.
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "sequence/sequence.h"

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

  void Click(const VariantRoster& roster) {
    SendAllVariants([this] { ++reads; return box; }, roster,
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

}  // namespace
}  // namespace tavi
