// The real tavi.exe on every screen, seen from outside: its layout at a new DPI, its colours under
// high contrast (and the preview's), and on a palette screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

#include "posts.h"
#include "tools/driver/tavi_app.h"

namespace {

using driver::RoomAndTavi;
using driver::TaviApp;
using driver::WaitUntil;
using e2e::kOneRun;
using e2e::Variants;

// Started at 96 or 144 DPI (as Windows 10), tavi's client area is 4605 x 585
// twips. Told that its screen now has 144 DPI, it lays itself out as it does
// when it starts at 144 DPI (client area, controls, the message box's line of
// text): where it is (no suggested rectangle), or at the rectangle Windows
// suggests; under per-monitor v1 that is the old window scaled, frame and
// all, so the client area is made right in it. (Wine's frame does not follow
// the new DPI's metrics either.)
TEST(App, ANewDpiLaysTaviOutAsAtThatDpi) {
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);  // tavi's pixels as they are
  const auto layout = [](const TaviApp& tavi) {
    RECT line;
    SendMessageW(tavi.text1, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&line));
    std::vector<LONG> all = tavi.ClientSize();
    all.push_back(line.bottom - line.top);
    for (HWND control : {tavi.command1, tavi.text1, tavi.text10}) {
      for (LONG value : tavi.PlaceOf(control)) all.push_back(value);
    }
    return all;
  };
  const driver::RegistryValue as(driver::RegistryValue::kTaviVersion, "Version", "win10");
  // Wine's desktop takes the DPI of the moment it starts, and keeps it for the session: it
  // starts with a window at the usual 96.
  ASSERT_TRUE(TaviApp().ready());
  std::vector<LONG> at144;
  {
    const driver::RegistryValue dpi("Control Panel\\Desktop", "LogPixels", 144);
    TaviApp tavi;
    ASSERT_TRUE(tavi.ready());
    at144 = layout(tavi);
  }
  EXPECT_EQ(std::vector<LONG>(at144.begin(), at144.begin() + 2), (std::vector<LONG>{461, 59}));  // 4605 x 585 twips
  for (const bool suggest : {false, true}) {
    SCOPED_TRACE(suggest ? "a suggested rectangle" : "none suggested");
    TaviApp tavi;
    ASSERT_TRUE(tavi.ready());
    EXPECT_EQ(tavi.ClientSize(), (std::vector<LONG>{307, 39}));
    RECT before, after;
    GetWindowRect(tavi.form, &before);
    const LONG width = before.right - before.left, height = before.bottom - before.top;
    const RECT suggested = {before.left + 40, before.top + 30, before.left + 40 + width * 3 / 2,
                            before.top + 30 + height * 3 / 2};
    tavi.SendDpiChanged(144, suggest ? &suggested : nullptr);
    EXPECT_EQ(layout(tavi), at144);
    GetWindowRect(tavi.form, &after);
    const RECT& at = suggest ? suggested : before;
    EXPECT_EQ(std::vector<LONG>({after.left, after.top}), std::vector<LONG>({at.left, at.top}));
  }
}

// Whether `c` is a grey: as dark in each of its channels, within smoothing's rounding.
bool Grey(COLORREF c) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  return std::abs(r - g) <= 8 && std::abs(g - b) <= 8;
}

// The screen's colour (as ColoursIn reads it) of a COLORREF.
COLORREF OnScreen(COLORREF c) { return static_cast<COLORREF>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); }

// The swatches under a preview row, read off the screen: on the line of its lowest part that shows
// the palette's colours most, each stretch of them, as the colours it holds.
std::vector<std::vector<COLORREF>> Swatches(HWND row) {
  static const std::set<COLORREF> kPalette = {0xFF0000, 0xABCDEF, 0x0000FF, 0x00FF00, 0xFFFF00,
                                              0xFF00FF, 0x00FFFF, 0x3399FF, 0xFF9900, 0x000011};
  RECT client;
  GetClientRect(row, &client);
  std::vector<std::vector<COLORREF>> best;
  std::size_t most = 0;
  for (LONG y = client.bottom * 3 / 5; y < client.bottom; ++y) {
    const std::vector<COLORREF> line = driver::PixelsIn(row, {0, y, client.right, y + 1});
    std::vector<std::vector<COLORREF>> stretches;
    for (std::size_t x = 0; x < line.size(); ++x) {
      if (!kPalette.count(line[x])) continue;
      if (x == 0 || !kPalette.count(line[x - 1])) stretches.emplace_back();
      if (stretches.back().empty() || stretches.back().back() != line[x]) stretches.back().push_back(line[x]);
    }
    const auto count =
        static_cast<std::size_t>(std::count_if(line.begin(), line.end(), [](COLORREF c) { return kPalette.count(c); }));
    if (count > most) most = count, best = stretches;
  }
  return best;
}

// High contrast turned on while tavi runs, and off again, announced as
// Windows announces it: the form, the message box and the preview show the
// system's colours while it is on, tavi's own before and after. (Wine's
// answer is always "off": tavi's own query is answered by the hooks.)
TEST(App, HighContrastShowsTheSystemColours) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  ASSERT_TRUE(tavi.LoadHooks());
  tavi.SetText(tavi.text1, L"          ");
  tavi.PressKey(VK_F2);
  ASSERT_TRUE(WaitUntil([&] { return tavi.Preview() != nullptr; }, 30));
  std::set<COLORREF> margin, box, preview;  // what the screen showed last
  const auto shows = [&](COLORREF formColour, COLORREF boxColour, COLORREF previewColour) {
    return WaitUntil(
        [&] {
          RECT client, inside, top;
          GetClientRect(tavi.form, &client);
          GetClientRect(tavi.text1, &inside);
          GetClientRect(tavi.Preview(), &top);
          margin = driver::ColoursIn(tavi.form, {0, 0, client.right, 8});
          box = driver::ColoursIn(tavi.text1, inside);
          preview = driver::ColoursIn(tavi.Preview(), {0, 0, top.right, 2});
          return margin == std::set<COLORREF>{OnScreen(formColour)} && box.count(OnScreen(boxColour)) &&
                 preview == std::set<COLORREF>{OnScreen(previewColour)};
        },
        30);
  };
  const auto seen = [&] {
    std::ostringstream out;
    out << std::hex;
    for (const auto& [name, colours] :
         {std::pair{"the form's margin", &margin}, {"the message box", &box}, {"the preview's margin", &preview}}) {
      out << name << " showed";
      for (COLORREF c : *colours) out << " " << c;
      out << "; ";
    }
    return out.str();
  };
  EXPECT_TRUE(shows(0xEFEFEF, 0xFFC501, 0xEFEFEF)) << seen();
  for (const bool on : {true, false}) {
    tavi.RunInTavi(driver::hooks::kSetHighContrast, on);
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_TRUE(on ? shows(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW))
                   : shows(0xEFEFEF, 0xFFC501, 0xEFEFEF))
        << (on ? "on: " : "off: ") << seen();
    if (!on) continue;
    // A colour post's letters in the system's text colour, and its colours as swatches below them:
    // three groups of three letters, a swatch of one colour of the palette under each run of them
    // (groups that drew the same colour make one run).
    tavi.SetText(tavi.text1, std::wstring(9, L'W'));
    const HWND colours = tavi.PreviewRows()[5];
    RECT row;
    GetClientRect(colours, &row);
    // Each colour shown is the text's, the background's or, at smoothed edges, one between: with
    // Wine's black on white, greys only (the posts' colours are not).
    ASSERT_TRUE(Grey(GetSysColor(COLOR_WINDOW)) && Grey(GetSysColor(COLOR_WINDOWTEXT)));
    std::set<COLORREF> shown;
    EXPECT_TRUE(WaitUntil(
        [&] {
          shown = driver::ColoursIn(colours, {0, 0, row.right, row.bottom * 3 / 5});
          return shown.count(OnScreen(GetSysColor(COLOR_WINDOWTEXT))) && std::all_of(shown.begin(), shown.end(), Grey);
        },
        30))
        << shown.size() << " colours";
    std::vector<std::vector<COLORREF>> swatches;
    EXPECT_TRUE(WaitUntil([&] { return !(swatches = Swatches(colours)).empty(); }, 30));
    EXPECT_LE(swatches.size(), 3u);
    for (std::size_t k = 0; k < swatches.size(); ++k) {
      EXPECT_EQ(swatches[k].size(), 1u) << k;
      EXPECT_TRUE(k == 0 || swatches[k] != swatches[k - 1]) << k;
    }
    tavi.SetText(tavi.text1, L"          ");
  }
}

// Run on a 256-colour screen (an 8-bit display, see CMakeLists.txt): the form,
// the message box and the frame-class box each show one flat colour, read
// off the screen from outside; and the seven posts go out.
TEST(PaletteScreen, EachBackgroundIsOneFlatColour) {
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(GetDeviceCaps(screen, BITSPIXEL), 8) << "run this suite on an 8-bit screen";
  ReleaseDC(nullptr, screen);
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  // Taller, so that the frame-class box shows; spaces show the text's background.
  RECT frame;
  GetWindowRect(s.tavi.form, &frame);
  SetWindowPos(s.tavi.form, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + 40,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // All of it painted afresh (Wine at 8 bits loses what was shown when a window grows).
  RedrawWindow(s.tavi.form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  for (HWND box : {s.tavi.text1, s.tavi.text10}) s.tavi.SetText(box, L"          ");
  const auto flat = [&] {
    // The form's margins above and left of the controls, and the inside of each box.
    RECT form, box;
    GetClientRect(s.tavi.form, &form);
    std::set<COLORREF> margins = driver::ColoursIn(s.tavi.form, {0, 0, form.right, 8});
    margins.merge(driver::ColoursIn(s.tavi.form, {0, 0, 8, form.bottom}));
    bool oneEach = margins.size() == 1;
    for (HWND b : {s.tavi.text1, s.tavi.text10}) {
      oneEach = oneEach && GetClientRect(b, &box) && driver::ColoursIn(b, box).size() == 1;
    }
    return oneEach;
  };
  EXPECT_TRUE(WaitUntil(flat, 30));
  s.tavi.SetText(s.tavi.text10, L"AOL Frame25");
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(7));
  EXPECT_EQ(Variants(s.room.Posts()), kOneRun);
}

}  // namespace
