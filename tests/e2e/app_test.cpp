// The real tavi.exe driven from outside against roomsim: window, posts, timing, closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "driver.h"

namespace {

using e2e::Entry;
using e2e::RoomAndTavi;
using e2e::Roomsim;
using e2e::TaviApp;

RECT ClientRectOf(HWND control, HWND form) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Which variant of the roster a posted line is, from its look.
int VariantOf(const std::string& line) {
  if (line.rfind("<FONT COLOR=", 0) == 0) return 5;
  if (line.rfind("<sup>", 0) == 0) return 7;
  if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\x95\x95") == 0) return 1;
  if (line.size() >= 2 && line.compare(line.size() - 2, 2, "--") == 0) return 3;
  if (line.size() >= 2 && line.compare(line.size() - 2, 2, "..") == 0) return 4;
  return 2;
}

std::vector<int> Variants(const std::vector<Entry>& posts) {
  std::vector<int> kinds;
  for (const Entry& e : posts) kinds.push_back(VariantOf(e.bytes));
  return kinds;
}

TEST(App, WindowFacts) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  EXPECT_EQ(e2e::Text(tavi.form), "give tavi");
  EXPECT_TRUE(GetWindowLongW(tavi.form, GWL_EXSTYLE) & WS_EX_TOPMOST);

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, 96) << "the pixel sizes below are for 96 DPI";
  RECT client;
  GetClientRect(tavi.form, &client);
  EXPECT_EQ(client.right, 307);  // 4605 twips at 15 twips per pixel
  EXPECT_EQ(client.bottom, 39);  // 585 twips
  const struct {
    HWND control;
    RECT expected;
  } controls[] = {
      {tavi.command1, {248, 8, 248 + 49, 8 + 25}},
      {tavi.text1, {8, 8, 8 + 233, 8 + 25}},
      {tavi.text10, {8, 40, 8 + 233, 40 + 25}},  // below the visible client area
  };
  for (const auto& c : controls) {
    const RECT r = ClientRectOf(c.control, tavi.form);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
    EXPECT_TRUE(IsWindowVisible(c.control));
  }
  EXPECT_EQ(tavi.TextOf(tavi.command1), L"tavi");
  EXPECT_EQ(tavi.TextOf(tavi.text1), L"<3333333333333333333");
  EXPECT_EQ(tavi.TextOf(tavi.text10), L"AOL Frame25");

  // Focus starts on the button; Tab goes to the message box, the frame-class
  // box and back to the button.
  EXPECT_EQ(tavi.Focus(), tavi.command1);
  for (HWND next : {tavi.text1, tavi.text10, tavi.command1}) {
    tavi.PressKey(VK_TAB);
    EXPECT_TRUE(e2e::WaitUntil([&] { return tavi.Focus() == next; }, 5)) << e2e::Text(next);
  }
}

TEST(App, StaysAboveTheChatHost) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  Roomsim room;  // opens and activates its window after tavi's
  ASSERT_TRUE(room.ready());
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  ASSERT_NE(frame, nullptr);
  int taviAt = -1, frameAt = -1, index = 0;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT), ++index) {
    if (w == tavi.form) taviAt = index;
    if (w == frame) frameAt = index;
  }
  EXPECT_GE(taviAt, 0);
  EXPECT_LT(taviAt, frameAt);
}

TEST(App, OneClickPostsSevenVariantsInRosterOrder) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"Paella? \u2022");
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(7, 40));
  Sleep(2500);  // a run makes seven posts, no more
  const auto posts = s.room.Posts();
  ASSERT_EQ(posts.size(), 7u);
  EXPECT_EQ(posts[0].bytes, "P\x95" "a\x95" "e\x95l\x95l\x95" "a\x95?\x95 \x95\x95\x95\x95");
  EXPECT_EQ(posts[1].bytes, "P\xE6ll<b>\xE1</b>\xBF \x95");
  EXPECT_EQ(posts[2].bytes, "P-a-e-l-l-a-?- -\x95--");
  EXPECT_EQ(posts[3].bytes, "P.a.e.l.l.a.?. .\x95..");
  for (int k : {4, 5}) {
    const std::string& line = posts[k].bytes;
    EXPECT_EQ(line.size(), 71u * 3 + 9);
    EXPECT_EQ(line.substr(0, 13), "<FONT COLOR=\"");
    EXPECT_NE(line.find("\"><pre>P<FONT COLOR=\""), std::string::npos);
  }
  EXPECT_EQ(posts[6].bytes, "<sup>P</sup>a<sub>e</sub>l<sup>l</sup>a<sub>?</sub> <sup>\x95</sup><sub></sub>");
  for (std::size_t k = 1; k < posts.size(); ++k) {
    const double gap = posts[k].t - posts[k - 1].t;
    EXPECT_GT(gap, 0.4) << "between posts " << k << " and " << k + 1;
    EXPECT_LT(gap, 1.7) << "between posts " << k << " and " << k + 1;
  }
  EXPECT_TRUE(s.room.Astray().empty());
}

TEST(App, AnEditDuringTheFirstWaitShowsInLaterPosts) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"old");
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(1, 20));
  s.tavi.SetText(s.tavi.text1, L"new");
  ASSERT_TRUE(s.room.WaitForPosts(7, 30));
  const auto posts = s.room.Posts();
  EXPECT_EQ(posts[0].bytes, "o\x95l\x95" "d\x95\x95");
  EXPECT_EQ(posts[1].bytes, "\xF1<b>\xEB</b>w");
  EXPECT_EQ(posts[2].bytes, "n-e-w--");
  EXPECT_EQ(posts[6].bytes, "<sup>n</sup>e<sub>w</sub>");
}

TEST(App, ASecondClickRunsInsideTheFirst) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"ab");
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(1, 20));
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(14, 60));
  Sleep(2500);
  const auto posts = s.room.Posts();
  ASSERT_EQ(posts.size(), 14u);
  // The inner run's seven posts come between the outer run's first and second.
  EXPECT_EQ(Variants(posts), (std::vector<int>{1, 1, 2, 3, 4, 5, 5, 7, 2, 3, 4, 5, 5, 7}));
}

TEST(App, ClosingMidRunEndsAtOnceAndPostsNoMore) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(3, 30));
  ASSERT_TRUE(s.tavi.process().Running());
  const double closedAt = e2e::Now();
  s.tavi.Close();
  ASSERT_TRUE(s.tavi.process().WaitForExit(10));
  const double exitTook = e2e::Now() - closedAt;
  EXPECT_EQ(s.tavi.process().ExitCode(), 0u);
  const std::size_t postsAtExit = s.room.Posts().size();
  Sleep(3000);
  EXPECT_EQ(s.room.Posts().size(), postsAtExit);
  EXPECT_LE(postsAtExit, 4u);
  EXPECT_LT(exitTook, 2.0);
  std::printf("closed after %zu posts; the process was gone %.2f s after the close\n", postsAtExit, exitTook);
}

TEST(App, AClassTypedIntoTheFrameClassBoxRedirectsTheSearch) {
  RoomAndTavi s("--frame-class \"Other Frame\"");
  ASSERT_TRUE(s.ready());
  // Reach the box with Tab, as a user would, and type over its text.
  s.tavi.PressKey(VK_TAB);
  s.tavi.PressKey(VK_TAB);
  ASSERT_TRUE(e2e::WaitUntil([&] { return s.tavi.Focus() == s.tavi.text10; }, 5));
  SendMessageW(s.tavi.text10, EM_SETSEL, 0, -1);
  s.tavi.Type(L"Other Frame");
  ASSERT_TRUE(e2e::WaitUntil([&] { return s.tavi.TextOf(s.tavi.text10) == L"Other Frame"; }, 5));
  s.tavi.SetText(s.tavi.text1, L"hi");
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(7, 40));
  EXPECT_EQ(s.room.Posts()[0].bytes, "h\x95i\x95\x95");
}

}  // namespace
