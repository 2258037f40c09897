// The preview from outside: opened from the system menu and with F2, its rows read as a screen reader
// reads them, kept up to date, never taking the keyboard, never posting.
#include <gtest/gtest.h>

#include "posts.h"
#include "tools/driver/tavi_app.h"

namespace {

using driver::AccessibleName;
using driver::RoomAndTavi;
using driver::WaitUntil;

// What a screen reader reads of each row.
std::vector<std::wstring> Said(const driver::TaviApp& tavi) {
  std::vector<std::wstring> said;
  for (HWND row : tavi.PreviewRows()) said.push_back(AccessibleName(row));
  return said;
}

TEST(Preview, ShowsThePostsAndWhereTheyGoAndLeavesTheKeyboardAlone) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"Paella <b>");
  ASSERT_TRUE(WaitUntil([&] { return s.tavi.Focus() == s.tavi.command1; }, 30));
  s.tavi.PreviewFromMenu();
  ASSERT_TRUE(WaitUntil([&] { return s.tavi.Preview() != nullptr; }, 30));
  const std::vector<std::wstring> expected = {
      L"Posts go to: Lobby",
      L"P\u2022a\u2022e\u2022l\u2022l\u2022a\u2022 \u2022<\u2022b\u2022>\u2022\u2022",
      L"P\u00E6ll\u00E1 \u00ABb\u00BB",
      L"P-a-e-l-l-a- -<-b->--",
      L"P.a.e.l.l.a. .<.b.>..",
      L"Paella <b>",
      L"Paella <b>",
      L"Paella <b>",
  };
  EXPECT_TRUE(WaitUntil(
      [&] {
        auto said = Said(s.tavi);
        said.resize(8);
        return said == expected;
      },
      30));
  EXPECT_EQ(s.tavi.Focus(), s.tavi.command1);
  EXPECT_EQ(GetForegroundWindow(), s.tavi.form);
  RECT preview, tavi, overlap;
  GetWindowRect(s.tavi.Preview(), &preview);
  GetWindowRect(s.tavi.form, &tavi);
  EXPECT_FALSE(IntersectRect(&overlap, &preview, &tavi));
  // Typed into either box, it follows.
  s.tavi.PressKey(VK_TAB);
  s.tavi.TypeOver(s.tavi.text1, L"Noel");
  EXPECT_TRUE(WaitUntil([&] { return Said(s.tavi)[2] == L"\u00D1\u0153l"; }, 30));
  EXPECT_EQ(s.tavi.Focus(), s.tavi.text1);
  s.tavi.TypeOver(s.tavi.text10, L"Other");
  EXPECT_TRUE(WaitUntil(
      [&] { return Said(s.tavi)[0] == L"No chat program with the window class \u00ABOther\u00BB is running"; }, 30));
  // Esc in tavi closes it (as it stops the runs), and the focus stays where it was. (F2 and Esc in
  // the preview: PreviewUse.)
  s.tavi.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !s.tavi.Preview() && s.tavi.Focus() == s.tavi.text1; }, 30));
  EXPECT_TRUE(s.room.Posts().empty());
}

// The room's line follows the host once a second, also with no box changed: no program, a
// program with no room open, a room. A run made with the preview open posts as
// one without it.
TEST(Preview, FollowsTheHostAndARunPostsAsWithoutIt) {
  driver::TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  tavi.PressKey(VK_F2);
  ASSERT_TRUE(WaitUntil([&] { return tavi.Preview() != nullptr; }, 30));
  const auto says = [&](const std::wstring& line) { return WaitUntil([&] { return Said(tavi)[0] == line; }, 30); };
  EXPECT_TRUE(says(L"No chat program with the window class \u00ABAOL Frame25\u00BB is running"));
  {
    driver::Roomsim empty("--rooms 0");
    ASSERT_TRUE(empty.ready());
    EXPECT_TRUE(says(L"No chat room is open in the chat program"));
  }
  driver::Roomsim room;
  ASSERT_TRUE(room.ready());
  EXPECT_TRUE(says(L"Posts go to: Lobby"));
  tavi.SetText(tavi.text1, L"OE Paella?");
  tavi.Click();
  ASSERT_TRUE(room.WaitForPosts(7));
  const auto posts = room.Posts();
  EXPECT_EQ(e2e::Variants(posts), e2e::kOneRun);
  EXPECT_EQ(posts[1].bytes, "\x8C P\xE6ll<b>\xE1</b>\xBF");
  EXPECT_EQ(posts[6].bytes, "<sup>O</sup>E<sub> </sub>P<sup>a</sup>e<sub>l</sub>l<sup>a</sup>?<sub></sub>");
  EXPECT_TRUE(room.Astray().empty());
}

}  // namespace
