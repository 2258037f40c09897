// The preview in use, from outside: its rows are what the room receives after the code page, the
// mouse never takes the keyboard from tavi, it opens on the screen and never over tavi, F2 is one
// press, and the keyboard reaches it (F6) and always comes back. Keys typed on the keyboard are
// awaited by what they do: Windows hands a program its posted messages before its input.
#include <gtest/gtest.h>

#include "tools/driver/tavi_app.h"

namespace {

using driver::AccessibleName;
using driver::RoomAndTavi;
using driver::TaviApp;
using driver::WaitUntil;

constexpr UINT kPreviewCommand = 0x0110;  // the system menu item's command

std::wstring Said(HWND row) { return AccessibleName(row); }

// Bytes in the ANSI code page, as this (Wine's) system reads them.
std::wstring FromAcp(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                           text.data(), static_cast<int>(text.size()))));
  return text;
}

// Types `keys` on the keyboard into tavi's message box, which has the focus, and waits until they
// are there: whatever was typed before them has been handled.
bool TypedIntoTheMessageBox(const TaviApp& tavi, const std::vector<WORD>& keys, const std::wstring& text) {
  driver::TypeKeys(keys);
  return WaitUntil([&] { return tavi.TextOf(tavi.text1).find(text) != std::wstring::npos; }, 30);
}

// The posts without markup (bullets, dashes, dots) read in the rows before a run are its posts as
// the room receives them; the note says what does not arrive as typed. The room's line keeps the
// marks around the class, which 932 lacks.
void TheRowsAreWhatTheRoomReceives(const std::wstring& note) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"\u0416\u2192 caf\u00E9 ok");
  s.tavi.PressKey(VK_F2);
  ASSERT_TRUE(WaitUntil([&] { return s.tavi.PreviewRows().size() == 9; }, 30));
  const std::vector<HWND> rows = s.tavi.PreviewRows();
  EXPECT_TRUE(WaitUntil([&] { return Said(rows[8]).find(note) != std::wstring::npos; }, 30));
  const std::wstring shown[] = {Said(rows[1]), Said(rows[3]), Said(rows[4])};  // before the run
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(7));
  const auto posts = s.room.Posts();
  for (const std::size_t k : {0, 1, 2}) EXPECT_EQ(shown[k], FromAcp(posts[k == 0 ? 0 : k + 1].bytes)) << k;
  s.tavi.SetText(s.tavi.text10, L"NoSuchClass");
  EXPECT_TRUE(WaitUntil(
      [&] { return Said(rows[0]) == L"No chat program with the window class \u00ABNoSuchClass\u00BB is running"; }, 30))
      << "heard: " << Said(rows[0]).size() << " units";
}

TEST(PreviewArrival, TheRowsAreWhatTheRoomReceives) {
  ASSERT_EQ(GetACP(), 1252u);
  TheRowsAreWhatTheRoomReceives(L"2 characters arrive as ?");
}

TEST(PreviewArrival932, TheRowsAreWhatTheRoomReceives) {
  ASSERT_EQ(GetACP(), 932u) << "run this suite with LC_ALL=ja_JP.UTF-8";
  TheRowsAreWhatTheRoomReceives(L"1 character arrives as");
}

// A real click on the preview's caption or on a row leaves tavi the foreground window with its
// keyboard focus: Esc typed then is tavi's (it closes the preview, as it stops the runs).
TEST(PreviewUse, AClickOnItLeavesTheKeyboardInTavi) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  SetForegroundWindow(tavi.form);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == tavi.form; }, 30));
  tavi.PressKey(VK_TAB);
  tavi.PressKey(VK_F2);
  ASSERT_TRUE(WaitUntil([&] { return tavi.Focus() == tavi.text1 && tavi.Preview() != nullptr; }, 30));
  RECT window, client;
  GetWindowRect(tavi.Preview(), &window);
  GetClientRect(tavi.Preview(), &client);
  // On the screen (its background shows), so that the clicks reach it.
  ASSERT_TRUE(WaitUntil(
      [&] {
        return driver::ColoursIn(tavi.Preview(), {0, 0, client.right, 2}) == std::set<COLORREF>{0xEFEFEF};
      },
      30));
  POINT inside = {0, 0};
  ClientToScreen(tavi.Preview(), &inside);
  for (const POINT at : {POINT{(window.left + window.right) / 2, (window.top + inside.y) / 2},  // its caption
                         POINT{inside.x + client.right / 2, inside.y + client.bottom / 2}}) {   // a row
    driver::ClickAt(at);
    ASSERT_TRUE(TypedIntoTheMessageBox(tavi, {'O', 'K'}, L"ok"));  // typed after the click
    tavi.SetText(tavi.text1, L"");
    EXPECT_EQ(GetForegroundWindow(), tavi.form);
    EXPECT_EQ(tavi.Focus(), tavi.text1);
  }
  driver::TypeKeys({VK_ESCAPE});
  EXPECT_TRUE(WaitUntil([&] { return tavi.Preview() == nullptr; }, 30));
}

// Chosen from the system menu while tavi is minimized, the preview opens when tavi is restored,
// placed as usual: beside tavi, on the screen.
TEST(PreviewUse, ChosenWhileMinimizedItOpensOnTheRestore) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  PostMessageW(tavi.form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(tavi.form); }, 30));
  PostMessageW(tavi.form, WM_SYSCOMMAND, kPreviewCommand, 0);
  tavi.TypeOver(tavi.text10, L"barrier");  // handled after the choice
  ASSERT_TRUE(WaitUntil([&] { return tavi.TextOf(tavi.text10) == L"barrier"; }, 30));
  // Not made yet, not even hidden: placed beside a minimized window, it would be off the screen.
  EXPECT_EQ(FindWindowW(L"tavi.Preview", nullptr), nullptr);
  PostMessageW(tavi.form, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsIconic(tavi.form) && tavi.Preview() != nullptr; }, 30));
  RECT preview, form;
  GetWindowRect(tavi.Preview(), &preview);
  GetWindowRect(tavi.form, &form);
  // Right below tavi, or right above it, from tavi's left edge.
  EXPECT_TRUE(preview.top == form.bottom || preview.bottom == form.top) << preview.top << " " << form.bottom;
  EXPECT_EQ(preview.left, form.left);
}

// F2 held down opens the preview once (its auto-repeats are no presses: had each of the twelve
// key-downs toggled it, it would end closed); F2 with Ctrl or Shift does nothing, in tavi and in
// the preview with the keyboard in it.
TEST(PreviewUse, F2IsOnePressAndAloneOnly) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  tavi.HoldKey(VK_F2, 11);
  tavi.TypeOver(tavi.text10, L"barrier");  // handled after the keys (both are posted)
  ASSERT_TRUE(WaitUntil([&] { return tavi.TextOf(tavi.text10) == L"barrier"; }, 30));
  EXPECT_NE(tavi.Preview(), nullptr);
  tavi.PressKey(VK_F2);
  ASSERT_TRUE(WaitUntil([&] { return tavi.Preview() == nullptr; }, 30));
  SetForegroundWindow(tavi.form);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == tavi.form; }, 30));
  tavi.PressKey(VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return tavi.Focus() == tavi.text1; }, 30));
  for (const WORD held : {VK_CONTROL, VK_SHIFT}) driver::TypeKeys({VK_F2}, held);
  ASSERT_TRUE(TypedIntoTheMessageBox(tavi, {'O', 'K'}, L"ok"));
  EXPECT_EQ(tavi.Preview(), nullptr);
  driver::TypeKeys({VK_F6});
  ASSERT_TRUE(WaitUntil([&] { return tavi.Preview() != nullptr && tavi.Focus() == tavi.PreviewRows()[0]; }, 30));
  for (const WORD held : {VK_CONTROL, VK_SHIFT}) driver::TypeKeys({VK_F2}, held);
  driver::TypeKeys({VK_DOWN});  // typed after them
  EXPECT_TRUE(WaitUntil([&] { return tavi.Preview() && tavi.Focus() == tavi.PreviewRows()[1]; }, 30));
}

// With five runs going, F6 puts the keyboard in the preview, on its first row; Down and Up go from
// row to row, each read as it gets the focus; F6 gives it back to the message box, the preview
// still open, and takes it in again to the row it had. The user goes to another window and comes
// back as Alt+Tab brings them back: Windows activates tavi's last active popup, the preview. The
// keyboard is on its row again, and Esc typed then stops every run and puts the keyboard in the
// message box.
TEST(PreviewUse, TheKeyboardGoesInWithF6AndAlwaysComesBack) {
  RoomAndTavi s("--hold-after 5");
  ASSERT_TRUE(s.ready());
  TaviApp& tavi = s.tavi;
  tavi.SetText(tavi.text1, L"Hi");
  tavi.ClickStorm(5);                   // each run nested in the one before, in its first wait
  ASSERT_TRUE(s.room.WaitFor("hold"));  // the fifth run's first post
  s.room.Release();
  tavi.PressKey(VK_F6);
  ASSERT_TRUE(WaitUntil([&] { return tavi.Preview() && tavi.Focus() == tavi.PreviewRows()[0]; }, 30));
  const std::vector<HWND> rows = tavi.PreviewRows();
  for (const auto& [key, row] : {std::pair{VK_DOWN, 1}, {VK_DOWN, 2}, {VK_UP, 1}, {VK_F6, -1}, {VK_F6, 1}}) {
    tavi.PressKey(key);
    EXPECT_TRUE(
        WaitUntil([&] { return tavi.Focus() == (row < 0 ? tavi.text1 : rows[static_cast<std::size_t>(row)]); }, 30))
        << row;
  }
  EXPECT_EQ(Said(tavi.Focus()), L"H\u2022i\u2022\u2022");
  const driver::UserWindow user;
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == user.hwnd(); }, 30));
  const HWND back = GetLastActivePopup(tavi.form);
  EXPECT_EQ(back, tavi.Preview());
  SetForegroundWindow(back);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == back; }, 30));
  EXPECT_TRUE(WaitUntil([&] { return tavi.Focus() == rows[1]; }, 30));
  driver::TypeKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitUntil([&] { return tavi.Focus() == tavi.text1 && !tavi.Preview(); }, 30));
  // No post after the Esc: left to go on, the runs would post again within one and a half seconds.
  const std::size_t posted = s.room.Posts().size();
  EXPECT_LT(posted, 35u);
  EXPECT_FALSE(s.room.WaitForPosts(posted + 1, 3));
}

// Made taller (so that the frame-class box shows), moved, and moved to the bottom of the screen,
// tavi is never covered by the preview: it follows, below tavi or else above it.
TEST(PreviewUse, ItNeverCoversTavi) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  tavi.PressKey(VK_F2);
  ASSERT_TRUE(WaitUntil([&] { return tavi.Preview() != nullptr; }, 30));
  RECT work, start, form, preview, both;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(tavi.form, &start);
  const LONG width = start.right - start.left, height = start.bottom - start.top;
  for (const RECT at : {RECT{start.left, start.top, 0, height + 33},
                        {200, 150, 0, height + 33},
                        {40, work.bottom - height, 0, height}}) {
    SetWindowPos(tavi.form, nullptr, at.left, at.top, width, at.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil(
        [&] {
          return GetWindowRect(tavi.form, &form) && GetWindowRect(tavi.Preview(), &preview) &&
                 !IntersectRect(&both, &form, &preview);
        },
        30))
        << at.left << "," << at.top;
  }
}

}  // namespace
