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

// Every character is heard as it is: an "&" too, which screen readers would take for the mark of
// a shortcut key.
TEST(Preview, ShowsThePostsAndWhereTheyGoAndLeavesTheKeyboardAlone) {
  RoomAndTavi s("--title \"Q&A 1\"");
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"Q&A <b>");
  ASSERT_TRUE(WaitUntil([&] { return s.tavi.Focus() == s.tavi.command1; }, 30));
  s.tavi.PreviewFromMenu();
  ASSERT_TRUE(WaitUntil([&] { return s.tavi.Preview() != nullptr; }, 30));
  const std::vector<std::wstring> expected = {
      L"Posts go to: Q&A 1",
      L"Q\u2022&\u2022A\u2022 \u2022<\u2022b\u2022>\u2022\u2022",
      L"Q&\u00C5 \u00ABb\u00BB",
      L"Q-&-A- -<-b->--",
      L"Q.&.A. .<.b.>..",
      L"Q&A <b>",
      L"Q&A <b>",
      L"Q&A <b>",
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

// The pixels `text` takes where the system draws it in `font`, black on tavi's background, from
// `x` on the baseline `y`, in a picture of `size`.
std::vector<COLORREF> DrawnBySystem(const std::wstring& text, HFONT font, SIZE size, int x, int y) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  SelectObject(dc, picture);
  SelectObject(dc, font);
  const RECT all = {0, 0, size.cx, size.cy};
  HBRUSH background = CreateSolidBrush(0xEFEFEF);
  FillRect(dc, &all, background);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_BASELINE);
  ExtTextOutW(dc, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  GdiFlush();
  std::vector<COLORREF> pixels(static_cast<const COLORREF*>(bits),
                               static_cast<const COLORREF*>(bits) + size.cx * size.cy);
  for (COLORREF& pixel : pixels) pixel &= 0xFFFFFF;
  DeleteDC(dc);
  DeleteObject(picture);
  DeleteObject(background);
  return pixels;
}

// On an Arabic system (code page 1256) the preview draws an Arabic post as the system draws text,
// right to left and its letters joined, as the room shows it: the fancy letters' row (Arabic
// letters pass through them) equals the same text drawn by the system in the message font.
TEST(PreviewScript, ArabicAsTheSystemDrawsIt) {
  ASSERT_EQ(GetACP(), 1256u) << "run this suite with LC_ALL=ar_SA.UTF-8";
  driver::TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  const std::wstring word = L"\u0633\u0644\u0627\u0645 \u0639\u0644\u064A\u0643\u0645";
  tavi.SetText(tavi.text1, word);
  tavi.PressKey(VK_F2);
  ASSERT_TRUE(
      WaitUntil([&] { return tavi.PreviewRows().size() == 9 && AccessibleName(tavi.PreviewRows()[2]) == word; }, 30));
  // The message font as tavi takes it, and the row's text where tavi puts it: after a margin of one
  // average character and a gutter of four, its baseline a quarter of the ascent below the row's top.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  HDC screen = GetDC(nullptr);
  SelectObject(screen, font);
  TEXTMETRICW text{};
  GetTextMetricsW(screen, &text);
  ReleaseDC(nullptr, screen);
  const HWND row = tavi.PreviewRows()[2];
  RECT client;
  GetClientRect(row, &client);
  const int from = 5 * text.tmAveCharWidth;
  const std::vector<COLORREF> expected =
      DrawnBySystem(word, font, {client.right, client.bottom}, from, text.tmAscent / 4 + text.tmAscent);
  DeleteObject(font);
  // Right of the gutter, every pixel as the system draws it, and some of them text.
  std::size_t differ = 0, ink = 0;
  EXPECT_TRUE(WaitUntil(
      [&] {
        const std::vector<COLORREF> shown = driver::PixelsIn(row, client);
        differ = ink = 0;
        for (std::size_t i = 0; i < shown.size(); ++i) {
          if (static_cast<LONG>(i) % client.right < from) continue;
          differ += shown[i] != expected[i];
          ink += expected[i] != 0xEFEFEF;
        }
        return differ == 0 && ink > 0;
      },
      30))
      << differ << " pixels differ";
}

}  // namespace
