// After the posts, from outside: the preview's note says which posts the room showed, against
// roomsim rooms that drop a line, echo late, hang, or see a run stopped by Esc.
#include <gtest/gtest.h>

#include "tools/driver/tavi_app.h"

namespace {

using driver::AccessibleName;
using driver::RoomAndTavi;
using driver::WaitUntil;

// The preview's note, as a screen reader reads it.
std::wstring Note(const driver::TaviApp& tavi) {
  const std::vector<HWND> rows = tavi.PreviewRows();
  return rows.size() == 9 ? AccessibleName(rows[8]) : L"";
}

// Opens the preview and clicks; the note once every post is settled.
std::wstring AfterARun(RoomAndTavi& s) {
  s.tavi.SetText(s.tavi.text1, L"Hello there");
  s.tavi.PressKey(VK_F2);
  if (!WaitUntil([&] { return s.tavi.PreviewRows().size() == 9; }, 30)) return L"no preview";
  s.tavi.Click();
  std::wstring note;
  WaitUntil([&] { return (note = Note(s.tavi)).rfind(L"Arrived in the room: ", 0) == 0; }, 120);
  return note;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The room drops a line (a flood limit), also with a history of two rich controls and a server
// that echoes each line 600 ms after its Enter (a wait between posts may be shorter than that);
// or shows all seven.
TEST(AfterThePosts, TheNoteSaysWhichPostsTheRoomShowed) {
  const struct {
    const char* room;
    const wchar_t* note;
  } cases[] = {
      {"--drop 3", L"Arrived in the room: 6 of 7 (not seen: 3)"},
      {"--layout tworich --drop 5 --echo-delay 600", L"Arrived in the room: 6 of 7 (not seen: 5)"},
      {"", L"Arrived in the room: 7 of 7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.room);
    RoomAndTavi s(c.room);
    ASSERT_TRUE(s.ready());
    const std::wstring note = AfterARun(s);
    EXPECT_TRUE(EndsWith(note, c.note)) << std::string(note.begin(), note.end());
    EXPECT_EQ(s.room.Posts().size(), 7u);
  }
}

// A host that hangs after its second line: the posts it took are never said not seen (its
// history cannot be read), and the rest were not posted.
TEST(AfterThePosts, AHungRoomIsNeverSaidNotToShowAPost) {
  RoomAndTavi s("--hang-after 2");
  ASSERT_TRUE(s.ready());
  const std::wstring note = AfterARun(s);
  EXPECT_EQ(s.room.Posts().size(), 2u);
  EXPECT_EQ(note.find(L"not seen"), std::wstring::npos) << std::string(note.begin(), note.end());
  EXPECT_TRUE(EndsWith(note, L"not posted: 3\u20137)")) << std::string(note.begin(), note.end());
}

// Esc after the second post (which closes the preview): opened again, the preview's note counts
// the two posts made, and says the others were not posted.
TEST(AfterThePosts, EscAfterTheSecondPost) {
  RoomAndTavi s("--hold-after 2");
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"Hello there");
  s.tavi.PressKey(VK_F2);
  ASSERT_TRUE(WaitUntil([&] { return s.tavi.PreviewRows().size() == 9; }, 30));
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitFor("hold"));  // inside the second post's Enter
  s.tavi.PressKey(VK_ESCAPE);           // handled in the wait after it
  s.room.Release();
  ASSERT_TRUE(WaitUntil([&] { return !s.tavi.Preview(); }, 30));
  s.tavi.PressKey(VK_F2);
  std::wstring note;
  EXPECT_TRUE(WaitUntil([&] { return (note = Note(s.tavi)).rfind(L"Arrived in the room: ", 0) == 0; }, 60));
  EXPECT_EQ(note, L"Arrived in the room: 2 of 2 (not posted: 3\u20137)");
  EXPECT_EQ(s.room.Posts().size(), 2u);
}

}  // namespace
