// Locating the chat room in a window tree and posting into its input control.
#include <gtest/gtest.h>

#include "chat/chat.h"
#include "fake_platform.h"

namespace tavi {
namespace {

using testing::FakePlatform;

// Builds host window trees in the fake platform.
struct Host {
  FakePlatform platform;
  WindowHandle frame = 0, mdi = 0;

  explicit Host(const std::string& frameClass = "AOL Frame25") {
    frame = platform.AddWindow(0, frameClass);
    mdi = platform.AddWindow(frame, "MDIClient");
  }
  // A room whose children have the given classes, in this order.
  WindowHandle Child(std::initializer_list<const char*> classes) {
    const WindowHandle child = platform.AddWindow(mdi, "AOL Child");
    for (const char* c : classes) platform.AddWindow(child, c);
    return child;
  }
  WindowHandle Room() { return Child({"RICHCNTLREADONLY", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}); }
  WindowHandle ChildOf(WindowHandle parent, const std::string& cls, int nth = 1) const {
    for (const auto& w : platform.windows)
      if (w.parent == parent && w.className == cls && --nth == 0) return w.handle;
    return 0;
  }
  std::vector<WindowHandle> SentTo() const {
    std::vector<WindowHandle> out;
    for (const auto& m : platform.messages) out.push_back(m.window);
    return out;
  }
  void Post(const WideString& text, const WideString& frameClass = u"AOL Frame25") {
    WideString line = text;
    PostChatLine(line, [frameClass] { return frameClass; }, platform);
  }
};

TEST(LocateChatWindow, FindsTheFirstCompleteChildWindow) {
  Host host;
  host.Child({"RICHCNTL", "_AOL_Listbox", "_AOL_Icon"});            // no static label
  host.Child({"_AOL_Listbox", "_AOL_Icon", "_AOL_Static"});         // no rich text
  const WindowHandle first = host.Child({"_AOL_Static", "_AOL_Icon", "_AOL_Listbox", "RICHCNTL"});
  host.Room();
  EXPECT_EQ(LocateChatWindow(u"AOL Frame25", host.platform), first);
}

TEST(LocateChatWindow, MakesAllFourLookupsForEveryCandidate) {
  Host host;
  const WindowHandle decoy = host.Child({"_AOL_Static"});
  const WindowHandle room = host.Room();
  EXPECT_EQ(LocateChatWindow(u"AOL Frame25", host.platform), room);
  std::vector<std::string> asked;
  for (const auto& l : host.platform.lookups)
    if (l.parent == decoy) asked.push_back(l.className);
  EXPECT_EQ(asked, (std::vector<std::string>{"RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}));
}

TEST(LocateChatWindow, FindsNothingWithoutAFrameMdiClientOrRoom) {
  {
    FakePlatform platform;  // host not running
    EXPECT_EQ(LocateChatWindow(u"AOL Frame25", platform), 0u);
  }
  {
    Host host;  // running, no room open
    host.Child({"RICHCNTL", "_AOL_Icon"});
    host.Child({"_AOL_Listbox"});
    EXPECT_EQ(LocateChatWindow(u"AOL Frame25", host.platform), 0u);
  }
  {
    // Top-level windows of the inner classes must never stand in for a
    // missing frame or MDI client.
    FakePlatform platform;
    const WindowHandle mdi = platform.AddWindow(0, "MDIClient");
    const WindowHandle child = platform.AddWindow(mdi, "AOL Child");
    for (const char* c : {"RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) platform.AddWindow(child, c);
    platform.AddWindow(0, "AOL Child");
    EXPECT_EQ(LocateChatWindow(u"AOL Frame25", platform), 0u);
    for (const auto& l : platform.lookups) EXPECT_NE(l.parent, 0u) << l.className;
  }
}

TEST(LocateChatWindow, SearchesTheFrameClassItIsGiven) {
  Host other("Other Frame");
  const WindowHandle room = other.Room();
  EXPECT_EQ(LocateChatWindow(u"AOL Frame25", other.platform), 0u);
  EXPECT_EQ(LocateChatWindow(u"Other Frame", other.platform), room);
  EXPECT_EQ(other.platform.topLevelLookups.back(), "Other Frame");
  EXPECT_EQ(LocateChatWindow(u"", other.platform), 0u);
  EXPECT_EQ(other.platform.topLevelLookups.back(), "");
}

TEST(PostChatLine, TypesIntoTheInputControlOfEachLayout) {
  const struct {
    std::initializer_list<const char*> children;
    const char* targetClass;
    int nth;  // which control of that class is the input; 0 = none
  } cases[] = {
      {{"RICHCNTLREADONLY", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static", "RICHCNTL"}, "RICHCNTL", 1},
      {{"RICHCNTL", "_AOL_Listbox", "RICHCNTL", "_AOL_Icon", "_AOL_Static"}, "RICHCNTL", 2},
      {{"RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}, nullptr, 0},
  };
  for (const auto& c : cases) {
    Host host;
    const WindowHandle room = host.Child(c.children);
    host.Post(u"Hello \u2022 \u0153");
    if (c.nth == 0) {
      EXPECT_TRUE(host.platform.messages.empty());
      continue;
    }
    const WindowHandle target = host.ChildOf(room, c.targetClass, c.nth);
    ASSERT_EQ(host.platform.messages.size(), 2u);
    const auto& set = host.platform.messages[0];
    const auto& enter = host.platform.messages[1];
    EXPECT_EQ(set.window, target);
    EXPECT_EQ(set.message, kWmSetText);
    EXPECT_EQ(set.wParam, 0u);
    EXPECT_EQ(set.text, std::optional<std::string>("Hello \x95 \x9C"));
    EXPECT_EQ(enter.window, target);
    EXPECT_EQ(enter.message, kWmChar);
    EXPECT_EQ(enter.wParam, 13u);
    EXPECT_EQ(enter.text, std::nullopt);
  }
}

TEST(PostChatLine, AnEmptyLineIsStillSetAndSubmitted) {
  Host host;
  host.Room();
  host.Post(u"");
  ASSERT_EQ(host.platform.messages.size(), 2u);
  EXPECT_EQ(host.platform.messages[0].text, std::optional<std::string>(""));
  EXPECT_EQ(host.platform.messages[1].wParam, 13u);
}

TEST(PostChatLine, SendsNothingAnywhereWithoutARoom) {
  FakePlatform platform;
  platform.AddWindow(0, "RICHCNTL");  // a stray top-level window of the input's class
  platform.AddWindow(0, "RICHCNTLREADONLY");
  WideString line = u"private";
  PostChatLine(line, [] { return WideString(u"AOL Frame25"); }, platform);
  EXPECT_TRUE(platform.messages.empty());
  for (const auto& l : platform.lookups) EXPECT_NE(l.parent, 0u);
}

TEST(PostChatLine, NoEnterAfterATextThatDidNotArrive) {
  Host host;
  const WindowHandle room = host.Room();
  host.platform.hungWindows.insert(host.ChildOf(room, "RICHCNTL"));
  host.Post(u"lost");
  ASSERT_EQ(host.platform.messages.size(), 1u);
  EXPECT_EQ(host.platform.messages[0].message, kWmSetText);
}

TEST(PostChatLine, ReadsTheFrameClassAtEveryPost) {
  FakePlatform platform;
  const WindowHandle f1 = platform.AddWindow(0, "AOL Frame25");
  const WindowHandle f2 = platform.AddWindow(0, "Typed Frame");
  WindowHandle rooms[2];
  const WindowHandle frames[2] = {f1, f2};
  for (int i = 0; i < 2; ++i) {
    const WindowHandle mdi = platform.AddWindow(frames[i], "MDIClient");
    rooms[i] = platform.AddWindow(mdi, "AOL Child");
    for (const char* c : {"RICHCNTLREADONLY", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"})
      platform.AddWindow(rooms[i], c);
  }
  WideString frameClass = u"AOL Frame25";
  const ChatPoster poster = MakeChatPoster([&] { return frameClass; }, platform);
  WideString a = u"a", b = u"b";
  poster(a);
  frameClass = u"Typed Frame";
  poster(b);
  ASSERT_EQ(platform.messages.size(), 4u);
  EXPECT_EQ(platform.messages[0].window, rooms[0] + 2);  // its RICHCNTL
  EXPECT_EQ(platform.messages[2].window, rooms[1] + 2);
}

}  // namespace
}  // namespace tavi
