// tavi.exe against hostile hosts and strange input, under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "driver.h"

namespace {

using e2e::Entry;
using e2e::Now;
using e2e::RoomAndTavi;
using e2e::Roomsim;
using e2e::TaviApp;

std::size_t Groups(std::size_t n, std::size_t size) { return (n + size - 1) / size; }

// The sizes of the seven posts of an n-unit line whose units are all 'q'.
std::vector<std::size_t> SizesFor(std::size_t n) {
  return {2 * n + 1, n, 2 * n + 1, 2 * n + 1, 71 * Groups(n, 3) + n, 71 * Groups(n, 3) + n, 22 * Groups(n, 4) + n};
}

TEST(HostileHost, AHungHostNeverFreezesTaviPastTheMessageTimeout) {
  RoomAndTavi s("--hang-after 2");
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"hung");
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(2, 30));
  // The host now handles no more messages; tavi's next post waits for it.
  Sleep(1700);  // past the wait that follows the second post
  // Typing while tavi waits for the host shows once the send gives up.
  const double typedAt = Now();
  PostMessageW(s.tavi.text10, WM_CHAR, L'!', 1);
  ASSERT_TRUE(e2e::WaitUntil([&] { return s.tavi.TextOf(s.tavi.text10).find(L'!') != std::wstring::npos; }, 10));
  const double typingTook = Now() - typedAt;
  // And a close request ends it, however the host behaves.
  const double closedAt = Now();
  s.tavi.Close();
  ASSERT_TRUE(s.tavi.process().WaitForExit(10));
  const double closeTook = Now() - closedAt;
  EXPECT_LT(typingTook, 5.5);
  EXPECT_LT(closeTook, 6.0);
  EXPECT_EQ(s.room.Posts().size(), 2u);
  std::printf("hung host: typed key handled after %.2f s; closed after %.2f s\n", typingTook, closeTook);
}

TEST(HostileHost, ClosingWhileTheSendWaitsForAHungHost) {
  RoomAndTavi s("--hang-after 1");
  ASSERT_TRUE(s.ready());
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(1, 30));
  Sleep(1700);  // tavi is now blocked in sending the second post
  const double closedAt = Now();
  s.tavi.Close();
  ASSERT_TRUE(s.tavi.process().WaitForExit(10));
  const double took = Now() - closedAt;
  EXPECT_LT(took, 6.0);
  std::printf("closed %.2f s after the close request\n", took);
}

TEST(HostileHost, AHostThatExitsMidRunLeavesTaviWorking) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  {
    Roomsim room("--exit-after 3");
    ASSERT_TRUE(room.ready());
    tavi.Click();
    ASSERT_TRUE(room.WaitForPosts(3, 30));
    EXPECT_TRUE(room.process().WaitForExit(10));
  }
  Sleep(7000);  // the run's last four posts find no host
  EXPECT_TRUE(tavi.process().Running());
  EXPECT_LT(tavi.Ping(), 1.0);
  // A new host gets the next run whole.
  Roomsim again;
  ASSERT_TRUE(again.ready());
  tavi.Click();
  EXPECT_TRUE(again.WaitForPosts(7, 30));
}

TEST(HostileHost, RoomsThatComeAndGoGetWholeLinesOrNothing) {
  RoomAndTavi s("--rooms 2 --churn 150");
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"churn");
  for (int run = 0; run < 2; ++run) {
    s.tavi.Click();
    Sleep(9000);
  }
  EXPECT_TRUE(s.tavi.process().Running());
  EXPECT_LT(s.tavi.Ping(), 1.0);
  const auto posts = s.room.Posts();
  EXPECT_LE(posts.size(), 14u);
  const std::vector<std::string> plain = {"c\x95h\x95u\x95r\x95n\x95\x95", "c-h-u-r-n--", "c.h.u.r.n..",
                                          "<sup>c</sup>h<sub>u</sub>r<sup>n</sup><sub></sub>",
                                          "ch<b>\xFA</b>r\xF1"};
  for (const Entry& post : posts) {
    const bool known = std::find(plain.begin(), plain.end(), post.bytes) != plain.end() ||
                       (post.bytes.size() == 71 * 2 + 5 && post.bytes.rfind("<FONT COLOR=\"", 0) == 0);
    EXPECT_TRUE(known) << post.bytes;
    EXPECT_EQ(post.fields.at("control"), "RICHCNTL#1");
  }
  EXPECT_TRUE(s.room.Astray().empty());
  std::printf("rooms coming and going every 150 ms: %zu of 14 posts arrived, none astray\n", posts.size());
}

TEST(HostileHost, DecoysOfEveryClassButNoRoomGetNothing) {
  RoomAndTavi s("--no-frame --toplevel-decoys");
  ASSERT_TRUE(s.ready());
  s.tavi.Click();
  Sleep(9000);  // a whole run
  EXPECT_TRUE(s.tavi.process().Running());
  EXPECT_TRUE(s.room.Posts().empty());
  EXPECT_TRUE(s.room.Astray().empty());
}

TEST(StrangeInput, ExactSizesUpToTheStyleCountersLimits) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  std::size_t seen = 0;
  for (std::size_t n : {0u, 1u, 32766u, 32767u}) {
    SCOPED_TRACE(n);
    if (n == 0) s.tavi.SetText(s.tavi.text1, L"");
    else ASSERT_TRUE(s.tavi.Paste(std::wstring(n, L'q')));
    s.tavi.Click();
    ASSERT_TRUE(s.room.WaitForPosts(seen + 7, 60));
    const auto posts = s.room.Posts();
    const auto sizes = SizesFor(n);
    for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(posts[seen + k].bytes.size(), sizes[k]) << "post " << k + 1;
    if (n > 0) {
      EXPECT_EQ(posts[seen].bytes.substr(posts[seen].bytes.size() - 3), "q\x95\x95");
      EXPECT_NE(posts[seen + 4].bytes, posts[seen + 5].bytes);  // two colour runs differ
    }
    seen += 7;
    Sleep(300);
  }
  EXPECT_TRUE(s.tavi.process().Running());
}

TEST(StrangeInput, AHundredThousandUnits) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  const std::size_t n = 100000;
  ASSERT_TRUE(s.tavi.Paste(std::wstring(n, L'q')));
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(4, 90));
  // Lines above about a megabyte cannot cross between Wine processes here
  // (the colour lines are 2.4 MB): whatever arrives arrives whole.
  e2e::WaitUntil([&] { return s.room.Posts().size() >= 7 || !s.room.process().Running(); }, 30);
  Sleep(4000);
  const auto posts = s.room.Posts();
  const auto sizes = SizesFor(n);
  for (std::size_t k = 0; k < posts.size(); ++k) EXPECT_EQ(posts[k].bytes.size(), sizes[k]) << "post " << k + 1;
  EXPECT_TRUE(s.tavi.process().Running());
  EXPECT_LT(s.tavi.Ping(), 1.0);
  std::printf("100,000 units: %zu of 7 posts arrived whole; the host %s\n", posts.size(),
              s.room.process().Running() ? "is still running" : "went down on the larger lines");
}

TEST(StrangeInput, AMillionUnitsKeepTheWindowAlive) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  const std::size_t n = 1000000;
  ASSERT_TRUE(s.tavi.Paste(std::wstring(n, L'q')));
  s.tavi.Click();
  // Well into the run, styling a million fancy letters: the window answers.
  Sleep(8000);
  double slowest = 0;
  for (int i = 0; i < 10; ++i) {
    slowest = std::max(slowest, s.tavi.Ping());
    Sleep(200);
  }
  EXPECT_LT(slowest, 1.0);
  s.tavi.Close();
  const double closedAt = Now();
  EXPECT_TRUE(s.tavi.process().WaitForExit(10));
  EXPECT_LT(Now() - closedAt, 3.0);
  const auto sizes = SizesFor(n);
  for (const Entry& post : s.room.Posts()) EXPECT_EQ(post.bytes.size(), sizes[0]);
  std::printf("1,000,000 units: slowest answer during the run %.1f ms; closed mid-run\n", slowest * 1e3);
}

TEST(StrangeInput, SurrogatesAndCharactersOutsideTheCodePage) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  ASSERT_EQ(GetACP(), 1252u);
  // A paired surrogate, a lone one, and characters Windows-1252 lacks.
  s.tavi.SetText(s.tavi.text1, std::wstring(L"x\U0001F600z") + L'\xD800' + L"k\u20AC\u0100\u65E5");
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(7, 30));
  const auto posts = s.room.Posts();
  // Split by separators, each half of the pair stands alone and becomes "?".
  const std::string& bullets = posts[0].bytes;
  ASSERT_EQ(bullets.size(), 19u);
  EXPECT_EQ(bullets.substr(0, 14), "x\x95?\x95?\x95z\x95?\x95k\x95\x80\x95");
  EXPECT_TRUE(bullets[14] == 'A' || bullets[14] == '?');  // best fit for A with macron, or none
  EXPECT_EQ(bullets.substr(15), "\x95?\x95\x95");
  // Whole, the pair is one character: one "?" (or one per half).
  const std::string& fancy = posts[1].bytes;
  EXPECT_TRUE(fancy.rfind("x?z?k\x80", 0) == 0 || fancy.rfind("x??z?k\x80", 0) == 0) << fancy;
  EXPECT_TRUE(s.tavi.process().Running());
}

// Run with LC_ALL=ja_JP.UTF-8: Wine's ANSI code page is then 932 (Shift JIS).
TEST(CodePage932, TheRoomReceivesExactlyTheConvertedBytes) {
  ASSERT_EQ(GetACP(), 932u) << "run this suite with LC_ALL=ja_JP.UTF-8";
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  ASSERT_EQ(s.room.Entries()[0].fields.at("acp"), "932");
  s.tavi.SetText(s.tavi.text1, L"\u65E5\u672C\u8A9E\u30C6\u30B9\u30C8");  // 日本語テスト
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(7, 30));
  auto posts = s.room.Posts();
  const std::string sjis[6] = {"\x93\xFA", "\x96\x7B", "\x8C\xEA", "\x83\x65", "\x83\x58", "\x83\x67"};
  std::string dashes, fancy;
  for (const std::string& c : sjis) dashes += c + "-", fancy += c;
  EXPECT_EQ(posts[2].bytes, dashes + "-");
  EXPECT_EQ(posts[1].bytes, fancy);
  EXPECT_EQ(posts[6].bytes, "<sup>" + sjis[0] + "</sup>" + sjis[1] + "<sub>" + sjis[2] + "</sub>" + sjis[3] + "<sup>" +
                                sjis[4] + "</sup>" + sjis[5] + "<sub></sub>");

  // A long line: two bytes a character, sized right end to end.
  const std::size_t n = 10000;
  ASSERT_TRUE(s.tavi.Paste(std::wstring(n, L'\u65E5')));
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(14, 60));
  posts = s.room.Posts();
  EXPECT_EQ(posts[9].bytes.size(), 3 * n + 1);   // dashes
  EXPECT_EQ(posts[8].bytes.size(), 2 * n);       // fancy: unchanged
  EXPECT_EQ(posts[11].bytes.size(), 71 * Groups(n, 3) + 2 * n);
  EXPECT_EQ(posts[13].bytes.size(), 22 * Groups(n, 4) + 2 * n);
  EXPECT_EQ(posts[9].bytes.substr(0, 6), "\x93\xFA-\x93\xFA-");
}

}  // namespace
