// The preview in use, from outside: its rows are what the room receives after the code page, the
// mouse never takes the keyboard from tavi, it opens on the screen, F2 is one press, and the
// keyboard reaches it (F6) and comes back.
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

// The posts without markup (bullets, dashes, dots) read in the rows before a run are its posts as
// the room receives them; the note says what does not arrive as typed.
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
    tavi.TypeOver(tavi.text1, L"barrier");  // handled after the click
    ASSERT_TRUE(WaitUntil([&] { return tavi.TextOf(tavi.text1) == L"barrier"; }, 30));
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
// key-downs toggled it, it would end closed); F2 with Ctrl or Shift does nothing.
TEST(PreviewUse, F2IsOnePressAndAloneOnly) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  tavi.HoldKey(VK_F2, 11);
  tavi.TypeOver(tavi.text10, L"barrier");  // handled after the keys
  ASSERT_TRUE(WaitUntil([&] { return tavi.TextOf(tavi.text10) == L"barrier"; }, 30));
  EXPECT_NE(tavi.Preview(), nullptr);
  tavi.PressKey(VK_F2);
  ASSERT_TRUE(WaitUntil([&] { return tavi.Preview() == nullptr; }, 30));
  SetForegroundWindow(tavi.form);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == tavi.form; }, 30));
  for (const WORD held : {VK_CONTROL, VK_SHIFT}) driver::TypeKeys({VK_F2}, held);
  tavi.TypeOver(tavi.text10, L"after");
  ASSERT_TRUE(WaitUntil([&] { return tavi.TextOf(tavi.text10) == L"after"; }, 30));
  EXPECT_EQ(tavi.Preview(), nullptr);
}

// F6 puts the keyboard in the preview, on its first row; Down and Up go from row to row, each read
// as it gets the focus; F6 gives the keyboard back to the message box, the preview still open; Esc
// there closes it, and the keyboard is in the message box.
TEST(PreviewUse, TheKeyboardGoesInWithF6AndComesBack) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  tavi.SetText(tavi.text1, L"Hi");
  tavi.PressKey(VK_F6);
  ASSERT_TRUE(WaitUntil([&] { return tavi.Preview() != nullptr && tavi.Focus() == tavi.PreviewRows()[0]; }, 30));
  const std::vector<HWND> rows = tavi.PreviewRows();
  for (const auto& [key, row] : {std::pair{VK_DOWN, 1}, {VK_DOWN, 2}, {VK_UP, 1}}) {
    tavi.PressKey(key);
    EXPECT_TRUE(WaitUntil([&] { return tavi.Focus() == rows[static_cast<std::size_t>(row)]; }, 30)) << row;
  }
  EXPECT_EQ(Said(tavi.Focus()), L"H\u2022i\u2022\u2022");
  for (const UINT key : {VK_F6, VK_ESCAPE}) {
    tavi.PressKey(key);
    EXPECT_TRUE(WaitUntil([&] { return tavi.Focus() == tavi.text1; }, 30)) << key;
    EXPECT_EQ(tavi.Preview() != nullptr, key == VK_F6);
    if (key == VK_F6) {
      tavi.PressKey(VK_F6);
      ASSERT_TRUE(WaitUntil([&] { return tavi.Focus() == tavi.PreviewRows()[0]; }, 30));
    }
  }
}

}  // namespace
