// The send sequence: roster order, a fresh read per variant, the waits between posts.
#include <gtest/gtest.h>

#include <new>

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

  std::function<void(const char*, int)> failOn = [](const char*, int) {};
  int postCalls = 0;

  void Click(const VariantRoster& roster) {
    SendAllVariants([this] {
                      failOn("read", ++reads);
                      return box;
                    },
                    roster,
                    [this](WideString& line) {
                      failOn("post", ++postCalls);
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

// A line that cannot be read, built or converted for lack of memory is not
// posted; the run goes on with the next variant.
TEST(SendAllVariants, OutOfMemorySkipsOnlyThatPost) {
  for (const std::string where : {"read", "style", "post"}) {
    Session run;
    VariantRoster roster = Numbered(7);
    roster[2] = [&, third = roster[2]](const WideString& t) {
      if (where == "style") throw std::bad_alloc();
      return third(t);
    };
    run.failOn = [&](const char* step, int count) {
      if (where == step && count == 3) throw std::bad_alloc();
    };
    run.Click(roster);
    EXPECT_EQ(run.posts, (std::vector<WideString>{u"1:hi", u"2:hi", u"4:hi", u"5:hi", u"6:hi", u"7:hi"})) << where;
    EXPECT_EQ(run.waits.size(), 6u) << where;
  }
}

}  // namespace
}  // namespace tavi
