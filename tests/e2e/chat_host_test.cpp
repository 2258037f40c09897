// The real platform layer and chat poster against roomsim, under Wine.
#include <gtest/gtest.h>

#include "chat/chat.h"
#include "platform/win32/win32_platform.h"
#include "sequence/sequence.h"
#include "styles/styles.h"
#include "support.h"

namespace {

using e2e::Roomsim;
using tavi::WideString;

void Post(tavi::Win32Platform& platform, const WideString& text, const WideString& frameClass = u"AOL Frame25") {
  WideString line = text;
  tavi::PostChatLine(line, [frameClass] { return frameClass; }, platform);
}

// Posting into a room that takes nothing: give a stray message time to land.
void ExpectNothingArrives(const Roomsim& room) {
  Sleep(1500);
  EXPECT_TRUE(room.Posts().empty());
  EXPECT_TRUE(room.Astray().empty());
}

TEST(ChatHost, ExactBytesArriveInWindows1252) {
  Roomsim room;
  ASSERT_TRUE(room.ready());
  tavi::Win32Platform platform;
  ASSERT_EQ(GetACP(), 1252u);
  Post(platform, tavi::SpaceWithBullets(u"Hi"));
  Post(platform, tavi::FancyLetters(u"Paella? Noel <3", platform));
  Post(platform, u"");
  ASSERT_TRUE(room.WaitForPosts(3, 20));
  const auto posts = room.Posts();
  EXPECT_EQ(posts[0].bytes, "H\x95i\x95\x95");
  EXPECT_EQ(posts[1].bytes, "P\xE6ll<b>\xE1</b>\xBF \xD1\x9Cl \xAB" "3");
  EXPECT_EQ(posts[2].bytes, "");
  EXPECT_EQ(posts[0].fields.at("room"), "1");
  EXPECT_EQ(posts[0].fields.at("control"), "RICHCNTL#1");
  EXPECT_TRUE(room.Astray().empty());
}

TEST(ChatHost, CharactersOutsideTheCodePageArriveAsBestFitOrQuestionMark) {
  Roomsim room;
  ASSERT_TRUE(room.ready());
  tavi::Win32Platform platform;
  Post(platform, u"\u20AC \u0100 \u65E5 \U0001F600");
  ASSERT_TRUE(room.WaitForPosts(1, 20));
  const std::string bytes = room.Posts()[0].bytes;
  ASSERT_GE(bytes.size(), 7u);
  EXPECT_EQ(bytes.substr(0, 2), "\x80 ");                    // the euro sign is in the code page
  EXPECT_TRUE(bytes[2] == 'A' || bytes[2] == '?') << bytes;  // best fit for A with macron
  EXPECT_EQ(bytes.substr(3, 3), " ? ");                      // no best fit for a CJK character
  EXPECT_EQ(bytes.find_first_not_of('?', 6), std::string::npos) << bytes;
}

TEST(ChatHost, TheFirstOfTwoRoomsInWindowOrderWins) {
  Roomsim room("--rooms 2");
  ASSERT_TRUE(room.ready());
  HWND frame = FindWindowA("AOL Frame25", nullptr);
  HWND mdi = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  const auto children = e2e::Children(mdi, "AOL Child");
  ASSERT_EQ(children.size(), 2u);
  const std::string first = e2e::Text(children[0]) == "Lobby" ? "1" : "2";
  tavi::Win32Platform platform;
  Post(platform, u"first");
  ASSERT_TRUE(room.WaitForPosts(1, 20));
  EXPECT_EQ(room.Posts()[0].fields.at("room"), first);
  EXPECT_EQ(tavi::LocateChatWindow(u"AOL Frame25", platform), reinterpret_cast<tavi::WindowHandle>(children[0]));
}

TEST(ChatHost, IncompleteChildWindowsArePassedOver) {
  Roomsim room("--decoys 4");
  ASSERT_TRUE(room.ready());
  HWND mdi = FindWindowExA(FindWindowA("AOL Frame25", nullptr), nullptr, "MDIClient", nullptr);
  const auto children = e2e::Children(mdi, "AOL Child");
  ASSERT_EQ(children.size(), 5u);
  EXPECT_NE(e2e::Text(children[0]), "Lobby");  // decoys come first in window order
  tavi::Win32Platform platform;
  Post(platform, u"past the decoys");
  ASSERT_TRUE(room.WaitForPosts(1, 20));
  EXPECT_EQ(room.Posts()[0].fields.at("room"), "1");
  EXPECT_TRUE(room.Astray().empty());
}

TEST(ChatHost, TheInputControlOfEachLayout) {
  const struct {
    const char* layout;
    const char* control;  // nullptr: nothing may be posted
  } cases[] = {{"readonly", "RICHCNTL#1"}, {"tworich", "RICHCNTL#2"}, {"single", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout);
    Roomsim room(std::string("--layout ") + c.layout);
    ASSERT_TRUE(room.ready());
    tavi::Win32Platform platform;
    Post(platform, u"layout");
    if (!c.control) {
      ExpectNothingArrives(room);
      continue;
    }
    ASSERT_TRUE(room.WaitForPosts(1, 20));
    EXPECT_EQ(room.Posts()[0].fields.at("control"), c.control);
    EXPECT_EQ(room.Posts()[0].bytes, "layout");
    EXPECT_TRUE(room.Astray().empty());
  }
}

TEST(ChatHost, TheFrameClassDecidesWhichHostIsSearched) {
  Roomsim room("--frame-class \"Other Frame\"");
  ASSERT_TRUE(room.ready());
  tavi::Win32Platform platform;
  Post(platform, u"wrong class");
  Post(platform, u"right class", u"Other Frame");
  ASSERT_TRUE(room.WaitForPosts(1, 20));
  Sleep(500);
  ASSERT_EQ(room.Posts().size(), 1u);
  EXPECT_EQ(room.Posts()[0].bytes, "right class");
}

TEST(ChatHost, NoRoomMeansNothingIsTypedAnywhere) {
  // No frame, but top-level windows of every class of the host's tree,
  // among them an MDI client holding a complete room.
  Roomsim room("--no-frame --toplevel-decoys");
  ASSERT_TRUE(room.ready());
  ASSERT_NE(FindWindowA("MDIClient", nullptr), nullptr);
  ASSERT_NE(FindWindowA("RICHCNTL", nullptr), nullptr);
  tavi::Win32Platform platform;
  EXPECT_EQ(tavi::LocateChatWindow(u"AOL Frame25", platform), 0u);
  Post(platform, u"secret");
  Post(platform, u"secret", u"");
  ExpectNothingArrives(room);
}

TEST(ChatHost, AHungHostCostsAPostNotTheProgram) {
  Roomsim room("--hang-after 1");
  ASSERT_TRUE(room.ready());
  tavi::Win32Platform platform;
  Post(platform, u"one");
  ASSERT_TRUE(room.WaitForPosts(1, 20));
  Sleep(300);  // the host has now stopped handling messages
  const double start = e2e::Now();
  Post(platform, u"two");
  const double first = e2e::Now() - start;
  Post(platform, u"three");
  const double second = e2e::Now() - start - first;
  EXPECT_GT(first, 4.0);
  EXPECT_LT(first, 7.0);
  EXPECT_LT(second, 7.0);
  EXPECT_EQ(room.Posts().size(), 1u);
  std::printf("hung host: first post returned after %.2f s, the next after %.2f s\n", first, second);
}

TEST(ChatHost, AHostThatExitsMidRunEndsTheRunQuietly) {
  Roomsim room("--exit-after 2");
  ASSERT_TRUE(room.ready());
  tavi::Win32Platform platform;
  WideString box = u"bye";
  const double start = e2e::Now();
  tavi::SendAllVariants([&] { return box; }, tavi::MakeVariantRoster(platform),
                        tavi::MakeChatPoster([] { return WideString(u"AOL Frame25"); }, platform),
                        [&](const std::int32_t& s) { tavi::WaitSeconds(s, platform); });
  const double took = e2e::Now() - start;
  EXPECT_TRUE(room.process().WaitForExit(5));
  EXPECT_EQ(room.Posts().size(), 2u);
  EXPECT_GT(took, 4.0);  // six waits of 0.5-1.5 s each
  EXPECT_LT(took, 12.0);
}

}  // namespace
