// tavi.exe driven from outside against roomsim: keys and focus, and runs with edits, clicks, Esc and
// a storm of clicks, aimed by the frame-class box.
#include <gtest/gtest.h>

#include "posts.h"
#include "tools/driver/tavi_app.h"

namespace {

using driver::RoomAndTavi;
using driver::Roomsim;
using driver::TaviApp;
using driver::WaitUntil;
using e2e::kOneRun;
using e2e::Variants;

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
// that does not hand it the keyboard), or minimized and active (a launcher's
// "start minimized", which tavi takes as the former), tavi leaves the user's
// window in front with the keyboard: lines typed there reach it, nothing is
// posted, and a minimized tavi stays so. The focus goes to the button once the
// user activates tavi; the first restore gives back the window of a start,
// and Enter then makes one run.
TEST(App, StartedInTheBackgroundItLeavesTheKeyboardAlone) {
  Roomsim room;
  ASSERT_TRUE(room.ready());
  const driver::UserWindow user;
  for (const int show : {SW_SHOWMINIMIZED, SW_SHOWNOACTIVATE, SW_SHOWNA, SW_MINIMIZE, SW_SHOWMINNOACTIVE}) {
    SCOPED_TRACE(show);
    TaviApp tavi("", show);
    ASSERT_TRUE(tavi.ready());
    EXPECT_EQ(GetForegroundWindow(), user.hwnd());
    const bool minimized = IsIconic(tavi.form);
    const std::wstring typed = user.Typed() + L"x\ry\r";
    driver::TypeKeys({'X', VK_RETURN, 'Y', VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return user.Typed() == typed; }, 60));
    EXPECT_TRUE(room.Posts().empty());
    EXPECT_EQ(IsIconic(tavi.form) != FALSE, minimized);
    if (show == SW_SHOWMINNOACTIVE) {
      ShowWindow(tavi.form, SW_RESTORE);  // as the taskbar does
      ASSERT_TRUE(WaitUntil([&] { return !IsIconic(tavi.form) && tavi.Focus() == tavi.command1; }, 30));
      EXPECT_EQ(tavi.ClientSize(), (std::vector<LONG>{307, 39}));
      tavi.PressKey(VK_RETURN);
      ASSERT_TRUE(room.WaitForPosts(7));
      EXPECT_EQ(Variants(room.Posts()), kOneRun);
    } else if (!minimized) {
      SetForegroundWindow(tavi.form);
      EXPECT_TRUE(WaitUntil([&] { return tavi.Focus() == tavi.command1; }, 30));
    }
    tavi.Close();
    ASSERT_TRUE(tavi.process().WaitForExit(60));
    SetForegroundWindow(user.hwnd());
  }
}

// Minimized and still active, tavi takes no key but Esc: Enter and Space
// press nothing, and Enter does not restore it (Windows would, and the next
// Enter would press the button); Esc stops the run in progress: no post after
// it, and tavi stays minimized. Restored, the focus is back in the control
// that had it, and a press makes a whole run.
TEST(App, MinimizedItTakesNoKeysButEsc) {
  RoomAndTavi s("--hold-after 2");
  ASSERT_TRUE(s.ready());
  s.tavi.PressKey(VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return s.tavi.Focus() == s.tavi.text1; }, 30));
  ShowWindow(s.tavi.form, SW_SHOWMINIMIZED);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(s.tavi.form) && !s.tavi.Focus(); }, 30));
  EXPECT_EQ(GetForegroundWindow(), s.tavi.form);
  // Keys come to the window itself, as system keys. Had one pressed the
  // button, the click's run would nest in that one.
  for (UINT key : {VK_RETURN, VK_SPACE}) s.tavi.PressKey(key);
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitFor("hold"));  // the second post
  EXPECT_TRUE(IsIconic(s.tavi.form));
  s.tavi.PressKey(VK_ESCAPE);
  s.tavi.TypeOver(s.tavi.text1, L"after");  // handled after the Esc: the mark that it was
  s.room.Release();
  ASSERT_TRUE(WaitUntil([&] { return s.tavi.TextOf(s.tavi.text1) == L"after"; }, 30));
  // Left to go on, the run would post again within one and a half seconds.
  EXPECT_FALSE(s.room.WaitForPosts(3, 3));
  EXPECT_TRUE(IsIconic(s.tavi.form));
  PostMessageW(s.tavi.form, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(s.tavi.form) && s.tavi.Focus() == s.tavi.text1; }, 30));
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(9));
  const auto posts = s.room.Posts();
  EXPECT_EQ(Variants(posts), (std::vector<int>{1, 2, 1, 2, 3, 4, 5, 5, 7}));
  EXPECT_EQ(posts[2].bytes,
            "a\x95"
            "f\x95t\x95"
            "e\x95r\x95\x95");
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

}  // namespace
