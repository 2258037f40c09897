// Which window the locator takes for the chat room, and which of its controls the poster types into.
#include "chat/chat.h"
#include "platform/integrity.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace tavi {
namespace {

using testing::FakePlatform;

// A window tree, one window a line: its parent's line (-1: top level) and its class.
struct Node {
  int parent;
  const char* cls;
};

// A room's controls with one rich control (the history: no input); and with the input (RICHCNTL)
// after a read-only history pane.
#define ROOM_ONE_RICH(child) \
  {child, "RICHCNTL"}, {child, "_AOL_Listbox"}, {child, "_AOL_Icon"}, { child, "_AOL_Static" }
#define ROOM(child) {child, "RICHCNTLREADONLY"}, ROOM_ONE_RICH(child)

std::vector<WindowHandle> Build(FakePlatform& platform, const std::vector<Node>& tree) {
  std::vector<WindowHandle> handles;
  for (const Node& n : tree) handles.push_back(platform.AddWindow(n.parent < 0 ? 0 : handles[n.parent], n.cls));
  return handles;
}

TEST(LocateChatWindow, TakesTheFirstChildWindowWithAllFourControls) {
  const struct {
    const char* what;
    std::vector<Node> tree;
    const char16_t* frameClass;
    int room;  // the line of the expected room; -1: none
  } cases[] = {
      {"children lacking a control are passed over",
       {{-1, "AOL Frame25"},
        {0, "MDIClient"},
        {1, "AOL Child"},
        {2, "RICHCNTL"},
        {2, "_AOL_Listbox"},
        {2, "_AOL_Icon"},
        {1, "AOL Child"},
        {6, "_AOL_Listbox"},
        {6, "_AOL_Icon"},
        {6, "_AOL_Static"},
        {1, "AOL Child"},
        {10, "_AOL_Static"},
        {10, "_AOL_Icon"},
        {10, "_AOL_Listbox"},
        {10, "RICHCNTL"},
        {1, "AOL Child"},
        ROOM(15)},
       u"AOL Frame25",
       10},
      {"host not running", {}, u"AOL Frame25", -1},
      {"no room open", {{-1, "AOL Frame25"}, {0, "MDIClient"}, {1, "AOL Child"}, {2, "RICHCNTL"}}, u"AOL Frame25", -1},
      // Windows of the inner classes outside the frame never stand in for a
      // missing frame or MDI client.
      {"no frame", {{-1, "MDIClient"}, {0, "AOL Child"}, ROOM(1), {-1, "AOL Child"}, ROOM(7)}, u"AOL Frame25", -1},
      {"no MDI client",
       {{-1, "AOL Frame25"}, {-1, "MDIClient"}, {1, "AOL Child"}, ROOM(2), {-1, "AOL Child"}, ROOM(8)},
       u"AOL Frame25",
       -1},
      {"another frame class", {{-1, "Other Frame"}, {0, "MDIClient"}, {1, "AOL Child"}, ROOM(2)}, u"Other Frame", 2},
      {"another frame class, not asked for",
       {{-1, "Other Frame"}, {0, "MDIClient"}, {1, "AOL Child"}, ROOM(2)},
       u"AOL Frame25",
       -1},
      {"an empty frame class", {{-1, "AOL Frame25"}, {0, "MDIClient"}, {1, "AOL Child"}, ROOM(2)}, u"", -1},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    const auto handles = Build(platform, c.tree);
    EXPECT_EQ(LocateChatWindow(c.frameClass, platform), c.room < 0 ? 0 : handles[c.room]) << c.what;
  }
}

TEST(PostChatLine, SetsTheInputControlsTextAndPressesEnter) {
  const struct {
    const char* what;
    std::vector<Node> room;  // the children of the room (line 2)
    int input;               // the line of the input control; -1: nothing is sent
  } cases[] = {
      {"a read-only history pane: the first RICHCNTL",
       {{2, "RICHCNTLREADONLY"},
        {2, "RICHCNTL"},
        {2, "_AOL_Listbox"},
        {2, "_AOL_Icon"},
        {2, "_AOL_Static"},
        {2, "RICHCNTL"}},
       4},
      {"no read-only pane: the second RICHCNTL",
       {{2, "RICHCNTL"}, {2, "_AOL_Listbox"}, {2, "RICHCNTL"}, {2, "_AOL_Icon"}, {2, "_AOL_Static"}},
       5},
      {"a single RICHCNTL is no input",
       {{2, "RICHCNTL"}, {2, "_AOL_Listbox"}, {2, "_AOL_Icon"}, {2, "_AOL_Static"}},
       -1},
  };
  for (const auto& c : cases) {
    for (const char16_t* line : {u"Hello \u2022 \u0153", u""}) {
      FakePlatform platform;
      std::vector<Node> tree = {{-1, "AOL Frame25"}, {0, "MDIClient"}, {1, "AOL Child"}};
      tree.insert(tree.end(), c.room.begin(), c.room.end());
      const auto handles = Build(platform, tree);
      WideString copy = line;
      PostChatLine(
          copy, [] { return WideString(u"AOL Frame25"); }, platform);
      if (c.input < 0) {
        EXPECT_TRUE(platform.messages.empty()) << c.what;
        continue;
      }
      ASSERT_EQ(platform.messages.size(), 2u) << c.what;
      const auto& set = platform.messages[0];
      const auto& enter = platform.messages[1];
      EXPECT_EQ(set.window, handles[c.input]) << c.what;
      EXPECT_EQ(set.message, kWmSetText);
      EXPECT_EQ(set.text, std::optional<std::string>(*line ? "Hello \x95 \x9C" : ""));
      EXPECT_EQ(enter.window, handles[c.input]) << c.what;
      EXPECT_EQ(enter.message, kWmChar);
      EXPECT_EQ(enter.wParam, 13u);
    }
  }
}

// Nothing is sent without a room or for a line that cannot be converted for
// lack of memory, and no Enter after a text the host did not take.
TEST(PostChatLine, SendsNothingWhereItCannotFinish) {
  const std::vector<Node> room = {{-1, "AOL Frame25"}, {0, "MDIClient"}, {1, "AOL Child"}, ROOM(2)};
  constexpr std::size_t kAll = static_cast<std::size_t>(-1);
  const struct {
    const char* what;
    std::vector<Node> tree;
    std::size_t convertsAtMost;  // longer texts find no memory for their conversion
    int hung;                    // the line of a window that takes no message; -1: none
    std::vector<unsigned> sent;
  } cases[] = {
      {"no room, top-level windows of the inputs' classes", {{-1, "RICHCNTL"}, {-1, "RICHCNTLREADONLY"}}, kAll, -1, {}},
      {"a line that cannot be converted (the frame class can)", room, 11, -1, {}},
      {"a host that does not take the text", room, kAll, 4, {kWmSetText}},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    const auto handles = Build(platform, c.tree);
    platform.convertsAtMost = c.convertsAtMost;
    if (c.hung >= 0) platform.hungWindows.insert(handles[c.hung]);
    WideString line = u"a line too long";
    PostChatLine(
        line, [] { return WideString(u"AOL Frame25"); }, platform);
    std::vector<unsigned> sent;
    for (const auto& message : platform.messages) sent.push_back(message.message);
    EXPECT_EQ(sent, c.sent) << c.what;
  }
}

// The preview's line on where the posts would go: the room's caption, or which part is missing.
// It is found as a post finds the room and its input, and nothing is sent.
TEST(DescribeChatRoom, SaysWhereThePostsWouldGo) {
  const std::vector<Node> room = {{-1, "AOL Frame25"}, {0, "MDIClient"}, {1, "AOL Child"}, ROOM(2)};
  const struct {
    std::vector<Node> tree;
    HostAccess access;  // what Windows lets tavi do to the host
    const char16_t* line;
  } cases[] = {
      {room, HostAccess::kOpen, u"Posts go to: Lobby"},
      {{{-1, "RICHCNTL"}},
       HostAccess::kOpen,
       u"No chat program with the window class \u00ABAOL Frame25\u00BB is running"},
      {{{-1, "AOL Frame25"}, {0, "AOL Child"}},
       HostAccess::kOpen,
       u"The chat program \u00ABAOL Frame25\u00BB has no MDIClient window for its rooms"},
      {{{-1, "AOL Frame25"}, {0, "MDIClient"}, {1, "AOL Child"}},
       HostAccess::kOpen,
       u"No chat room is open in the chat program"},
      // One rich control and no read-only history: that one is the history, and a post sends nothing.
      {{{-1, "AOL Frame25"}, {0, "MDIClient"}, {1, "AOL Child"}, ROOM_ONE_RICH(2)},
       HostAccess::kOpen,
       u"The chat room \u00ABLobby\u00BB has no input box (RICHCNTL) for tavi"},
      {room, HostAccess::kAbove,
       u"Windows will not let tavi type into \u00ABLobby\u00BB: the chat program runs as administrator"},
      {room, HostAccess::kClosed,
       u"Windows may not let tavi type into \u00ABLobby\u00BB: the chat program runs as another user or as "
       u"administrator"},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    const auto handles = Build(platform, c.tree);
    if (handles.size() > 2) platform.captions[handles[2]] = u"Lobby";
    if (handles.size() > 2) platform.access[handles[2]] = c.access;
    const std::u16string line = DescribeChatRoom(u"AOL Frame25", platform);
    EXPECT_EQ(line, c.line) << std::string(line.begin(), line.end());
    EXPECT_TRUE(platform.messages.empty());
  }
}

// "runs as administrator" only for a host at a higher integrity level than tavi's; "may not" for
// one whose process tavi may not open; a level that cannot be read blocks nothing.
TEST(AccessFrom, AboveOnlyWhereKnownClosedWhereNotOpened) {
  constexpr std::uint32_t kMedium = 0x2000, kHigh = 0x3000;
  using Level = std::optional<std::uint32_t>;
  const struct {
    bool opened;
    Level host, own;
    HostAccess access;
  } cases[] = {
      {true, kHigh, kMedium, HostAccess::kAbove},     {true, kHigh, kHigh, HostAccess::kOpen},
      {true, kMedium, kHigh, HostAccess::kOpen},      {true, std::nullopt, kMedium, HostAccess::kOpen},
      {true, kHigh, std::nullopt, HostAccess::kOpen}, {false, std::nullopt, kMedium, HostAccess::kClosed},
  };
  for (const auto& c : cases) EXPECT_EQ(AccessFrom(c.opened, c.host, c.own), c.access);
}

}  // namespace
}  // namespace tavi
