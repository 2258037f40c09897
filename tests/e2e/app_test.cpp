// The real tavi.exe driven from outside against roomsim: its window, its keys, and a run.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <set>

#include "posts.h"
#include "tools/driver/tavi_app.h"

namespace {

using driver::RoomAndTavi;
using driver::Roomsim;
using driver::TaviApp;
using driver::WaitUntil;
using e2e::kOneRun;
using e2e::Variants;

// A control's left, top, width and height in its window's client area (on the screen for none).
std::vector<LONG> PlaceOf(HWND control, HWND form) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

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
  RECT client;
  GetClientRect(tavi.form, &client);
  EXPECT_EQ(client.right, 307);  // 4605 twips at 15 twips per pixel
  EXPECT_EQ(client.bottom, 39);  // 585 twips
  EXPECT_EQ(PlaceOf(tavi.command1, tavi.form), (std::vector<LONG>{248, 8, 49, 25}));
  EXPECT_EQ(PlaceOf(tavi.text1, tavi.form), (std::vector<LONG>{8, 8, 233, 25}));
  EXPECT_EQ(PlaceOf(tavi.text10, tavi.form), (std::vector<LONG>{8, 40, 233, 25}));  // below the client area
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

// The name a screen reader gives a control, read through Active Accessibility.
std::wstring AccessibleName(HWND control) {
  IAccessible* accessible = nullptr;
  std::wstring name;
  if (SUCCEEDED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                           reinterpret_cast<void**>(&accessible)))) {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (accessible->get_accName(self, &text) == S_OK && text) name = text;
    SysFreeString(text);
    accessible->Release();
  }
  return name;
}

// Screen readers hear what each box is for, not only what it holds; the
// button is "tavi". The names come from labels that are never shown.
TEST(App, EachControlHasAName) {
  CoInitialize(nullptr);
  {
    TaviApp tavi;
    ASSERT_TRUE(tavi.ready());
    const std::wstring message = AccessibleName(tavi.text1), frameClass = AccessibleName(tavi.text10);
    EXPECT_FALSE(message.empty());
    EXPECT_FALSE(frameClass.empty());
    EXPECT_NE(message, frameClass);
    EXPECT_NE(message, tavi.TextOf(tavi.text1));
    EXPECT_NE(frameClass, tavi.TextOf(tavi.text10));
    EXPECT_EQ(AccessibleName(tavi.command1), L"tavi");
  }
  CoUninitialize();
}

// Sends tavi a WM_DPICHANGED for 144 DPI, with `suggested` (if any) written
// into tavi's own memory: Wine does not carry the pointer across processes.
void SendDpiChanged(TaviApp& tavi, const RECT* suggested) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, tavi.process().Id());
  void* there = suggested ? VirtualAllocEx(process, nullptr, sizeof *suggested, MEM_COMMIT, PAGE_READWRITE) : nullptr;
  if (there) WriteProcessMemory(process, there, suggested, sizeof *suggested, nullptr);
  SendMessageW(tavi.form, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(there));
  if (there) VirtualFreeEx(process, there, 0, MEM_RELEASE);
  CloseHandle(process);
}

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
    RECT client, line;
    GetClientRect(tavi.form, &client);
    SendMessageW(tavi.text1, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&line));
    std::vector<LONG> all = {client.right, client.bottom, line.bottom - line.top};
    for (HWND control : {tavi.command1, tavi.text1, tavi.text10}) {
      for (LONG value : PlaceOf(control, tavi.form)) all.push_back(value);
    }
    return all;
  };
  const driver::RegistryValue as(driver::RegistryValue::kTaviVersion, "Version", "win10");
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
    const std::vector<LONG> at96 = layout(tavi);
    EXPECT_EQ(std::vector<LONG>(at96.begin(), at96.begin() + 2), (std::vector<LONG>{307, 39}));
    RECT before, after;
    GetWindowRect(tavi.form, &before);
    const LONG width = before.right - before.left, height = before.bottom - before.top;
    const RECT suggested = {before.left + 40, before.top + 30, before.left + 40 + width * 3 / 2,
                            before.top + 30 + height * 3 / 2};
    SendDpiChanged(tavi, suggest ? &suggested : nullptr);
    EXPECT_EQ(layout(tavi), at144);
    GetWindowRect(tavi.form, &after);
    const RECT& at = suggest ? suggested : before;
    EXPECT_EQ(std::vector<LONG>({after.left, after.top}), std::vector<LONG>({at.left, at.top}));
  }
}

// Its bottom edge can be dragged down, and only that: made taller from
// outside (through SetWindowPos, whose sizes are bounded as a drag's are),
// the frame-class box shows, in its colour; narrower, wider or shorter than
// at the start it cannot be made. A DPI change keeps the height in twips.
TEST(App, ItCanOnlyBeMadeTaller) {
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);  // tavi's pixels as they are
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  RECT start;
  GetWindowRect(tavi.form, &start);
  const auto resize = [&](int wider, int taller) {
    SetWindowPos(tavi.form, nullptr, 0, 0, start.right - start.left + wider, start.bottom - start.top + taller,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(tavi.form, &client);
    return std::vector<LONG>{client.right, client.bottom};
  };
  EXPECT_EQ(resize(0, 0), (std::vector<LONG>{307, 39}));
  EXPECT_EQ(resize(-20, 0), (std::vector<LONG>{307, 39}));
  EXPECT_EQ(resize(20, 0), (std::vector<LONG>{307, 39}));
  EXPECT_EQ(resize(0, -10), (std::vector<LONG>{307, 39}));
  EXPECT_EQ(resize(20, 40), (std::vector<LONG>{307, 79}));  // 1185 twips
  const std::vector<LONG> box = PlaceOf(tavi.text10, tavi.form);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return driver::ColoursIn(tavi.form, {box[0], box[1], box[0] + box[2], box[1] + box[3]}).count(0xE0E0E0);
      },
      30));
  SendDpiChanged(tavi, nullptr);
  RECT client;
  GetClientRect(tavi.form, &client);
  EXPECT_EQ(std::vector<LONG>({client.right, client.bottom}), (std::vector<LONG>{461, 119}));  // 1185 twips
}

// The message font, `scale` times as tall, for the programs started while this lives.
struct MessageFontScaled {
  explicit MessageFontScaled(int scale) {
    saved.cbSize = sizeof saved;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0);
    NONCLIENTMETRICSW scaled = saved;
    scaled.lfMessageFont.lfHeight *= scale;
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof scaled, &scaled, 0);
  }
  ~MessageFontScaled() { SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0); }
  NONCLIENTMETRICSW saved{};
};

// The controls' text is never clipped, also with a message font twice the
// normal height. A box's formatting rectangle is one line of its font high
// (cut off at the bottom of the box where the line is taller); the button's
// caption, in the same font, must fit inside its 3-D border.
TEST(App, TheTextFitsItsControlsAlsoInALargeFont) {
  LONG normalLine = 0;
  for (const int scale : {1, 2}) {
    const MessageFontScaled font(scale);
    TaviApp tavi;
    ASSERT_TRUE(tavi.ready());
    LONG line = 0;
    for (HWND box : {tavi.text1, tavi.text10}) {
      RECT format, client;
      SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
      GetClientRect(box, &client);
      EXPECT_LT(format.bottom, client.bottom) << scale;
      line = format.bottom - format.top;
    }
    RECT button;
    GetClientRect(tavi.command1, &button);
    EXPECT_LE(line, button.bottom - 2 * (GetSystemMetrics(SM_CYEDGE) + 1)) << scale;
    if (scale == 1)
      normalLine = line;
    else
      EXPECT_GT(line, normalLine);  // the larger font, in the size that fits
    tavi.Close();
    ASSERT_TRUE(tavi.process().WaitForExit(60));
  }
}

// Tab goes round button, message box, frame-class box. Enter in the message
// box presses the button, once however long it is held; Enter in the
// frame-class box does not.
TEST(App, TabOrderAndEnter) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  for (HWND next : {s.tavi.text1, s.tavi.text10}) {
    s.tavi.PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return s.tavi.Focus() == next; }, 30));
  }
  s.tavi.SetText(s.tavi.text1, L"hi");
  // Queued together. Had the first Enter started a run, the keys after it
  // would be handled inside that run and start a second one nested in it;
  // so would any of the held Enter's seven auto-repeats.
  s.tavi.PressKey(VK_RETURN);
  s.tavi.PressKey(VK_TAB);
  s.tavi.PressKey(VK_TAB);
  s.tavi.HoldKey(VK_RETURN, 7);
  ASSERT_TRUE(s.room.WaitForPosts(7));
  EXPECT_EQ(Variants(s.room.Posts()), kOneRun);
  EXPECT_EQ(s.room.Posts()[0].bytes, "h\x95i\x95\x95");
}

// Started in the background (a shortcut's "Run: Minimized", or by a program
// that does not hand it the keyboard), tavi leaves the user's window in front
// with the keyboard: an X and Enter typed there reach it, and nothing is
// posted. The focus goes to the button once the user activates tavi.
TEST(App, StartedInTheBackgroundItLeavesTheKeyboardAlone) {
  Roomsim room;
  ASSERT_TRUE(room.ready());
  const driver::UserWindow user;
  for (const int show : {SW_SHOWMINNOACTIVE, SW_SHOWNOACTIVATE, SW_SHOWNA, SW_MINIMIZE}) {
    SCOPED_TRACE(show);
    TaviApp tavi("", show);
    ASSERT_TRUE(tavi.ready());
    EXPECT_EQ(GetForegroundWindow(), user.hwnd());
    const std::wstring typed = user.Typed() + L"x\r";
    driver::TypeKeys({'X', VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return user.Typed() == typed; }, 60));
    EXPECT_TRUE(room.Posts().empty());
    if (!IsIconic(tavi.form)) {
      SetForegroundWindow(tavi.form);
      EXPECT_TRUE(WaitUntil([&] { return tavi.Focus() == tavi.command1; }, 30));
    }
    tavi.Close();
    ASSERT_TRUE(tavi.process().WaitForExit(60));
    SetForegroundWindow(user.hwnd());
  }
}

// Minimized, tavi takes no key: Enter and Space press nothing, also after it
// was started minimized and active. Restored, the focus is back where it was.
TEST(App, MinimizedItTakesNoKeys) {
  RoomAndTavi s("", SW_SHOWMINIMIZED);
  ASSERT_TRUE(s.ready());
  ASSERT_TRUE(IsIconic(s.tavi.form));
  const auto pressAndRestore = [&](HWND focusAfter) {
    for (UINT key : {VK_RETURN, VK_SPACE}) s.tavi.PressKey(key);
    PostMessageW(s.tavi.form, WM_SYSCOMMAND, SC_RESTORE, 0);
    return WaitUntil([&] { return !IsIconic(s.tavi.form) && s.tavi.Focus() == focusAfter; }, 30);
  };
  EXPECT_TRUE(pressAndRestore(s.tavi.command1));
  s.tavi.PressKey(VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return s.tavi.Focus() == s.tavi.text1; }, 30));
  PostMessageW(s.tavi.form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(s.tavi.form) && s.tavi.Focus() != s.tavi.text1; }, 30));
  EXPECT_TRUE(pressAndRestore(s.tavi.text1));
  EXPECT_EQ(s.tavi.TextOf(s.tavi.text1), L"<3333333333333333333");
  // Had a key pressed the button, this click's run would nest in that one.
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(7));
  EXPECT_EQ(Variants(s.room.Posts()), kOneRun);
}

// The window keeps handling the user during a run: an edit shows in the later
// posts, and a second click makes a whole run inside the first. A click sent
// by another program (automation, assistive tools) while the host takes a
// post's text waits until that post's Enter is out: every post arrives whole.
TEST(App, AnEditAndASecondClickDuringARun) {
  const struct {
    const char* hold;  // roomsim's: where the host holds tavi while the test acts
    bool sent;         // the second click sent (BM_CLICK), not queued, and no edit
    std::vector<int> variants;
    std::vector<std::pair<int, std::string>> bytes;  // some posts, byte for byte
  } cases[] = {
      {"--hold-after 1",  // in the first post's Enter
       false,
       {1, 1, 2, 3, 4, 5, 5, 7, 2, 3, 4, 5, 5, 7},
       {{0,
         "o\x95l\x95"
         "d\x95\x95"},
        {1,
         "n\x95"
         "e\x95w\x95\x95"},
        {8, "\xF1<b>\xEB</b>w"},
        {13, "<sup>n</sup>e<sub>w</sub>"}}},
      {"--hold-text 2",  // in the second post's text
       true,
       {1, 2, 1, 2, 3, 4, 5, 5, 7, 3, 4, 5, 5, 7},
       {{1, "<b>\xF8</b>ld"}, {3, "<b>\xF8</b>ld"}, {9, "o-l-d--"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hold);
    RoomAndTavi s(c.hold);
    ASSERT_TRUE(s.ready());
    s.tavi.SetText(s.tavi.text1, L"old");
    s.tavi.Click();
    // What is queued or sent while the host holds is handled in the wait
    // that follows that post.
    ASSERT_TRUE(s.room.WaitFor("hold"));
    if (c.sent) {
      SendNotifyMessageW(s.tavi.command1, BM_CLICK, 0, 0);
    } else {
      s.tavi.TypeOver(s.tavi.text1, L"new");
      s.tavi.Click();
    }
    s.room.Release();
    ASSERT_TRUE(s.room.WaitForPosts(14));
    const auto posts = s.room.Posts();
    EXPECT_EQ(Variants(posts), c.variants);
    for (const auto& [k, bytes] : c.bytes) EXPECT_EQ(posts[k].bytes, bytes) << "post " << k + 1;
  }
}

// Esc pressed in the message box during a run, with a second run nested in
// it, ends both: no post after it. tavi stays, with its texts; a press queued
// right behind the Esc makes a whole run, and so does the next one. (Had the
// first two runs gone on, their posts would follow the third run's.)
TEST(App, EscStopsTheRunsInProgress) {
  RoomAndTavi s("--hold-after 2");
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"oops");
  s.tavi.PressKey(VK_TAB);
  s.tavi.Click();
  s.tavi.Click();                       // handled in the first run's first wait
  ASSERT_TRUE(s.room.WaitFor("hold"));  // the second run's first post
  s.tavi.PressKey(VK_ESCAPE);
  s.tavi.Click();
  s.room.Release();
  ASSERT_TRUE(s.room.WaitForPosts(9));
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(16));
  std::vector<int> expected = {1, 1};
  for (int run = 0; run < 2; ++run) expected.insert(expected.end(), kOneRun.begin(), kOneRun.end());
  EXPECT_EQ(Variants(s.room.Posts()), expected);
  EXPECT_TRUE(s.tavi.process().Running());
  EXPECT_EQ(s.tavi.TextOf(s.tavi.text1), L"oops");
  EXPECT_EQ(s.tavi.TextOf(s.tavi.text10), L"AOL Frame25");
}

// A storm of clicks queued at once: the first 16 each start a run nested in
// the one before, with its first post; the rest only beep. Closing the
// window, or a quit request another program posts, queued behind the clicks
// still waiting, then ends tavi at once: no post after it.
TEST(App, AClickStormStopsAtSixteenRunsAndClosingEndsThemAtOnce) {
  for (const bool quit : {false, true}) {
    RoomAndTavi s("--hold-after 16");
    ASSERT_TRUE(s.ready());
    s.tavi.ClickStorm(500);
    ASSERT_TRUE(s.room.WaitFor("hold")) << quit;  // the sixteenth run's first post
    EXPECT_TRUE(s.tavi.process().Running()) << quit;
    if (quit)
      PostMessageW(s.tavi.form, WM_QUIT, 0, 0);
    else
      s.tavi.Close();
    s.room.Release();
    ASSERT_TRUE(s.tavi.process().WaitForExit(60)) << quit;
    EXPECT_EQ(s.tavi.process().ExitCode(), 0u) << quit;
    EXPECT_EQ(Variants(s.room.Posts()), std::vector<int>(16, 1)) << quit;
  }
}

// The frame class is read at every post. While it names no window nothing is
// typed anywhere, not even into windows of the host's classes outside any
// frame; once the host's class is typed in, its room gets the posts, past
// child windows that lack one of a room's controls.
TEST(App, TheFrameClassBoxAimsEveryPost) {
  RoomAndTavi s("--frame-class \"Other Frame\" --decoys 4 --toplevel-decoys");
  ASSERT_TRUE(s.ready());
  s.tavi.SetText(s.tavi.text1, L"hi");
  s.tavi.Click();                                  // the first post looks for "AOL Frame25"
  s.tavi.TypeOver(s.tavi.text10, L"Other Frame");  // typed during the first wait
  ASSERT_TRUE(s.room.WaitForPosts(6));
  const auto posts = s.room.Posts();
  EXPECT_EQ(Variants(posts), (std::vector<int>{2, 3, 4, 5, 5, 7}));
  for (const driver::Entry& post : posts) EXPECT_EQ(post.fields.at("room"), "1");
  EXPECT_TRUE(s.room.Astray().empty());
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
