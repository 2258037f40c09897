// Which posts the room's history showed: the lines read back, the matching, the states and the note.
#include "chat/arrivals.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace tavi {
namespace {

using testing::FakePlatform;

TEST(ShowsPost, TheLineEndsWithThePostOrWithTheBeginningOfALongOne) {
  const WideString longPost(100, u'a');
  const struct {
    const char* what;
    WideString line, post;
    bool shows;
  } cases[] = {
      {"a speaker's name before the text", u"You: H\u2022i\u2022\u2022", u"H\u2022i\u2022\u2022", true},
      {"a line that someone else typed", u"Marisol: hi all", u"H\u2022i\u2022\u2022", false},
      {"the text inside another line", u"You: Hi there", u"Hi", false},
      {"a long post cut by the room", u"You: " + longPost.substr(0, 40), longPost, true},
      {"too little of a long post to tell", u"You: " + longPost.substr(0, kCutAtLeast - 1), longPost, false},
  };
  for (const auto& c : cases) EXPECT_EQ(ShowsPost(c.line, c.post), c.shows) << c.what;
}

// A rich edit control ends a line with its mark; an edit control leaves a gap for its "\r\n".
// (Lines the rich edit control wraps: Arrivals, with the fake's.)
TEST(JoinLine, AnEditControlsLineBreaksEndLines) {
  const std::vector<ControlLine> lines = {{0, u"You: a"}, {8, u"Mar: b"}};
  RoomLine line;
  EXPECT_EQ(JoinLine(lines, 0, line), 1u);
  EXPECT_EQ(line.text, u"You: a");
}

// A room with a read-only history pane; the posts of one run, each shown (or not) by the room as
// the test says, at a second's pace.
class Room {
 public:
  Room() {
    const WindowHandle frame = platform.AddWindow(0, "AOL Frame25"), mdi = platform.AddWindow(frame, "MDIClient");
    const WindowHandle child = platform.AddWindow(mdi, "AOL Child");
    history = platform.AddWindow(child, "RICHCNTLREADONLY");
    platform.AddWindow(child, "RICHCNTL");
    for (const char* part : {"_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) platform.AddWindow(child, part);
    Show(u"Marisol: hi all");
  }
  void Post(const WideString& line) {
    arrivals.Post(
        line, [] { return WideString(u"AOL Frame25"); }, now);
    now += 1000;
  }
  void Show(const WideString& line) { platform.histories[history].push_back(line); }
  // Looks until every post is settled, as tavi's timer does.
  void Settle() {
    for (int turn = 0; turn < 20 && arrivals.Awaiting(); ++turn, now += 200) arrivals.Look(now);
  }

  FakePlatform platform;
  WindowHandle history = 0;
  Arrivals arrivals{platform};
  std::uint32_t now = 0xFFFFF000;  // the tick count wraps during the run
};

// The room's lines are read after each post: a post the code page changed, a long one the room
// cut, the speaker's name before each; two equal posts in a row of which the room dropped the
// first; a line that someone else typed; a post the room shows only after the next one is made.
TEST(Arrivals, EachPostIsLookedForInTheHistoryAfterIt) {
  Room room;
  room.arrivals.RunStarted(6);
  EXPECT_EQ(room.arrivals.Note(), u"Posting 1 of 6");
  const WideString longPost(300, u'a');
  room.Post(u"\u0416 x");
  room.Show(u"You: ? x");
  room.arrivals.Look(room.now);
  EXPECT_EQ(room.arrivals.StateOf(0), PostState::kSeen);
  EXPECT_EQ(room.arrivals.StateOf(1), PostState::kWaiting);
  room.Post(longPost);
  room.Show(u"You: " + longPost.substr(0, 100));
  room.Post(u"<b>Hi</b>");  // dropped
  room.arrivals.Look(room.now);
  EXPECT_EQ(room.arrivals.StateOf(2), PostState::kPosted);
  room.Post(u"Hi");
  room.Show(u"You: Hi");
  room.Post(u"typed");  // the room shows someone else's line
  room.Show(u"Quentin B: typing");
  EXPECT_EQ(room.arrivals.Note(), u"Posting 5 of 6");
  room.Post(u"late");
  room.arrivals.RunEnded();
  room.Show(u"You: late");
  room.Settle();
  EXPECT_EQ(room.arrivals.Note(), u"Arrived in the room: 4 of 6 (not seen: 3, 5)");
  const PostState states[] = {PostState::kSeen, PostState::kSeen,    PostState::kNotSeen,
                              PostState::kSeen, PostState::kNotSeen, PostState::kSeen};
  for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(room.arrivals.StateOf(k), states[k]) << k;
}

// A room that shows a post after the next one was made: each line goes to the latest post awaited
// that it can show, so equal posts are all seen.
TEST(Arrivals, ARoomBehindThePostsMissesNone) {
  Room room;
  room.arrivals.RunStarted(3);
  for (int k = 0; k < 3; ++k) {
    room.Post(u"same");
    if (k > 0) room.Show(u"You: same");  // the post before this one
    room.arrivals.Look(room.now);
  }
  room.arrivals.RunEnded();
  room.Show(u"You: same");
  room.Settle();
  EXPECT_EQ(room.arrivals.Note(), u"Arrived in the room: 3 of 3");
}

// What is not posted and what cannot be read is said so, never "not seen": a run stopped after its
// first post, a host that stops answering, no room at all.
TEST(Arrivals, NotPostedAndUnreadAreNotNotSeen) {
  const struct {
    const char* what;
    int hangAfter;  // posts after which the history answers nothing; -1: never
    bool room;
    const char16_t* note;
  } cases[] = {
      {"stopped after the first", -1, true, u"Arrived in the room: 1 of 1 (not posted: 2\u20137)"},
      {"a host that stops answering", 1, true,
       u"Arrived in the room: 0 of 1 (the room could not be read: 1; not posted: 2\u20137)"},
      {"no room", -1, false, u"Arrived in the room: 0 of 0 (not posted: 1\u20137)"},
  };
  for (const auto& c : cases) {
    Room room;
    if (!c.room) room.platform.windows.clear();
    room.arrivals.RunStarted(7);
    room.Post(u"one");
    if (c.hangAfter == 1) room.platform.hungWindows.insert(room.history);
    room.Show(u"You: one");
    room.arrivals.RunEnded();
    room.Settle();
    EXPECT_EQ(room.arrivals.Note(), c.note) << c.what;
    EXPECT_EQ(room.arrivals.StateOf(6), PostState::kNotPosted) << c.what;
  }
}

}  // namespace
}  // namespace tavi
