// The real tavi.exe's window seen from outside: what it shows, its names for screen readers, its layout at
// every height and after a restore, its fonts.
#include <gtest/gtest.h>

#include "tools/driver/tavi_app.h"

namespace {

using driver::Roomsim;
using driver::TaviApp;
using driver::WaitUntil;

TEST(App, WindowFacts) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  EXPECT_EQ(tavi.TextOf(tavi.form), L"give tavi");
  EXPECT_EQ(tavi.TextOf(tavi.command1), L"tavi");
  EXPECT_EQ(tavi.TextOf(tavi.text1), L"<3333333333333333333");
  EXPECT_EQ(tavi.TextOf(tavi.text10), L"AOL Frame25");
  EXPECT_EQ(tavi.Focus(), tavi.command1);

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, 96) << "the pixel sizes below are for 96 DPI";
  EXPECT_EQ(tavi.ClientSize(), (std::vector<LONG>{307, 39}));  // 4605 x 585 twips at 15 twips per pixel
  EXPECT_EQ(tavi.PlaceOf(tavi.command1), (std::vector<LONG>{248, 8, 49, 25}));
  EXPECT_EQ(tavi.PlaceOf(tavi.text1), (std::vector<LONG>{8, 8, 233, 25}));
  EXPECT_EQ(tavi.PlaceOf(tavi.text10), (std::vector<LONG>{8, 40, 233, 25}));  // below the client area
  for (HWND control : {tavi.command1, tavi.text1, tavi.text10}) EXPECT_TRUE(IsWindowVisible(control));

  // The chat host, opened and activated after tavi, still stays below it.
  EXPECT_TRUE(GetWindowLongW(tavi.form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  Roomsim room;
  ASSERT_TRUE(room.ready());
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  ASSERT_NE(frame, nullptr);
  HWND w = GetTopWindow(nullptr);
  while (w && w != tavi.form && w != frame) w = GetWindow(w, GW_HWNDNEXT);
  EXPECT_EQ(w, tavi.form);
}

// Screen readers hear what each box is for, not only what it holds; the
// button is "tavi". The names come from labels that are never shown.
TEST(App, EachControlHasAName) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  EXPECT_EQ(driver::AccessibleName(tavi.text1), L"Message");
  EXPECT_EQ(driver::AccessibleName(tavi.text10), L"Chat program's window class");
  EXPECT_EQ(driver::AccessibleName(tavi.command1), L"tavi");
}

// Its bottom edge can be dragged down, and only that: made taller from
// outside (through SetWindowPos, whose sizes are bounded as a drag's are),
// the frame-class box shows, in its colour, up to the height that shows it
// whole with the margin above it below it too; narrower, wider or shorter
// than at the start it cannot be made, and its side edges size nothing. A
// DPI change keeps the height in twips.
TEST(App, ItCanOnlyBeMadeTaller) {
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);  // tavi's pixels as they are
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  RECT start;
  GetWindowRect(tavi.form, &start);
  const auto resize = [&](int wider, int taller) {
    SetWindowPos(tavi.form, nullptr, 0, 0, start.right - start.left + wider, start.bottom - start.top + taller,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return tavi.ClientSize();
  };
  EXPECT_EQ(resize(-20, 0), (std::vector<LONG>{307, 39}));
  EXPECT_EQ(resize(20, 0), (std::vector<LONG>{307, 39}));
  EXPECT_EQ(resize(0, -10), (std::vector<LONG>{307, 39}));
  EXPECT_EQ(resize(0, 400), (std::vector<LONG>{307, 72}));  // 1080 twips: 40 + 25 + 7 px
  const std::vector<LONG> box = tavi.PlaceOf(tavi.text10);
  EXPECT_EQ(box[1] - (tavi.PlaceOf(tavi.text1)[1] + 25), 72 - (box[1] + box[3]));
  const struct {
    double x, y;  // where on the window, as fractions of its size
    LRESULT hit;
  } edges[] = {{0, 0.5, HTBORDER}, {1, 0.5, HTBORDER}, {0, 0, HTTOP},     {1, 0, HTTOP},
               {0, 1, HTBOTTOM},   {1, 1, HTBOTTOM},   {0.5, 1, HTBOTTOM}};
  RECT window;
  GetWindowRect(tavi.form, &window);
  for (const auto& e : edges) {
    const LONG x = window.left + static_cast<LONG>(e.x * (window.right - window.left - 1));
    const LONG y = window.top + static_cast<LONG>(e.y * (window.bottom - window.top - 1));
    EXPECT_EQ(SendMessageW(tavi.form, WM_NCHITTEST, 0, MAKELPARAM(x, y)), e.hit) << e.x << "," << e.y;
  }
  EXPECT_EQ(resize(20, 25), (std::vector<LONG>{307, 64}));  // 960 twips
  EXPECT_TRUE(WaitUntil(
      [&] {
        return driver::ColoursIn(tavi.form, {box[0], box[1], box[0] + box[2], box[1] + box[3]}).count(0xE0E0E0);
      },
      30));
  tavi.SendDpiChanged(144, nullptr);
  EXPECT_EQ(tavi.ClientSize(), (std::vector<LONG>{461, 96}));  // 960 twips
}

// Minimized and restored, by the system menu's command or as Alt+Tab and the
// taskbar do it, tavi comes back as it was, at 96 and at 144 DPI: the form's
// client area, or the taller one the user chose.
TEST(App, ARestoreGivesBackTheWindowAsItWas) {
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);  // tavi's pixels as they are
  const driver::RegistryValue as(driver::RegistryValue::kTaviVersion, "Version", "win10");
  for (const int dpi : {96, 144}) {
    const driver::RegistryValue pixels("Control Panel\\Desktop", "LogPixels", static_cast<DWORD>(dpi));
    TaviApp tavi;
    ASSERT_TRUE(tavi.ready());
    std::vector<LONG> size = tavi.ClientSize();
    EXPECT_EQ(size, dpi == 96 ? (std::vector<LONG>{307, 39}) : (std::vector<LONG>{461, 59}));
    for (const bool taller : {false, true}) {
      if (taller) {
        RECT r;
        GetWindowRect(tavi.form, &r);
        SetWindowPos(tavi.form, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + 20,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        size = tavi.ClientSize();
      }
      for (const bool bySystemMenu : {true, false}) {
        SCOPED_TRACE(testing::Message() << dpi << " DPI" << (taller ? ", taller" : "")
                                        << (bySystemMenu ? ", SC_RESTORE" : ", ShowWindow"));
        PostMessageW(tavi.form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsIconic(tavi.form); }, 30));
        if (bySystemMenu)
          PostMessageW(tavi.form, WM_SYSCOMMAND, SC_RESTORE, 0);
        else
          ShowWindow(tavi.form, SW_RESTORE);
        // The restore is posted: the window leaves the icon before its size is set.
        EXPECT_TRUE(WaitUntil([&] { return !IsIconic(tavi.form) && tavi.ClientSize() == size; }, 30));
        EXPECT_EQ(tavi.ClientSize(), size);
      }
    }
  }
}

// The controls' text is never clipped, also in a message font of twice the
// normal height set while tavi runs: tavi takes it, in the size that fits,
// and keeps the client area of a start. A box's formatting rectangle is one
// line of its font high (cut off at the bottom of the box where the line is
// taller); the button's caption, in the same font, must fit inside its 3-D
// border.
TEST(App, TheTextFitsItsControlsAlsoInALargeFont) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  const auto line = [&](HWND box) {
    RECT format;
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    return format;
  };
  const auto fits = [&] {
    RECT client, button;
    for (HWND box : {tavi.text1, tavi.text10})
      EXPECT_LT(line(box).bottom, GetClientRect(box, &client) ? client.bottom : 0);
    GetClientRect(tavi.command1, &button);
    EXPECT_LE(line(tavi.text1).bottom - line(tavi.text1).top, button.bottom - 2 * (GetSystemMetrics(SM_CYEDGE) + 1));
  };
  fits();
  const LONG normalLine = line(tavi.text1).bottom - line(tavi.text1).top;
  // Set in tavi's process: Wine keeps each process's settings apart.
  ASSERT_TRUE(tavi.LoadHooks());
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  const struct Restore {
    const TaviApp& tavi;
    LONG height;
    ~Restore() { tavi.RunInTavi(driver::hooks::kSetMessageFontHeight, height); }
  } restore{tavi, metrics.lfMessageFont.lfHeight};
  ASSERT_TRUE(tavi.RunInTavi(driver::hooks::kSetMessageFontHeight, restore.height * 2));
  // The larger font, in the size that fits.
  EXPECT_TRUE(WaitUntil([&] { return line(tavi.text1).bottom - line(tavi.text1).top > normalLine; }, 30));
  fits();
  EXPECT_EQ(tavi.ClientSize(), (std::vector<LONG>{307, 39}));
}

}  // namespace
