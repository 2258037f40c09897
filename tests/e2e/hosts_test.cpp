// tavi.exe against hosts that hang or quit, and with lines the code page or the styles' counters strain.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "posts.h"
#include "tools/driver/tavi_app.h"

namespace {

using driver::RoomAndTavi;
using driver::Roomsim;
using driver::TaviApp;

std::size_t Groups(std::size_t n, std::size_t size) { return (n + size - 1) / size; }

// A hung host costs tavi the message timeout (5 s), not the program: the
// close request behind the stuck post is still handled.
TEST(HostileHost, AHungHostCannotFreezeTavi) {
  RoomAndTavi s("--hang-after 2");
  ASSERT_TRUE(s.ready());
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitFor("hang"));
  s.tavi.Close();
  EXPECT_TRUE(s.tavi.process().WaitForExit(60));
  EXPECT_EQ(s.room.Posts().size(), 2u);
}

// A host that quits mid-run costs the rest of that run, nothing more: a host
// opened afterwards gets the next click's run whole.
TEST(HostileHost, AHostThatQuitsMidRun) {
  TaviApp tavi;
  ASSERT_TRUE(tavi.ready());
  {
    Roomsim room("--exit-after 3");
    ASSERT_TRUE(room.ready());
    tavi.Click();
    ASSERT_TRUE(room.process().WaitForExit(60));
    EXPECT_EQ(room.Posts().size(), 3u);
  }
  Roomsim again;
  ASSERT_TRUE(again.ready());
  tavi.Click();
  // The first run's last posts may reach the new host too, but the new run's
  // seven come in one piece (nested in the first run, or after it).
  EXPECT_TRUE(driver::WaitUntil(
      [&] {
        const std::vector<int> seen = e2e::Variants(again.Posts());
        return std::search(seen.begin(), seen.end(), e2e::kOneRun.begin(), e2e::kOneRun.end()) != seen.end();
      },
      60));
  EXPECT_TRUE(tavi.process().Running());
}

// One unit past the 16-bit counters' limit: every post arrives whole.
TEST(StrangeInput, ALineBeyondTheStyleCounters) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  const std::size_t n = 32767;
  ASSERT_TRUE(s.tavi.Paste(std::wstring(n, L'q')));
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(7));
  const auto posts = s.room.Posts();
  const std::size_t sizes[7] = {
      2 * n + 1, n, 2 * n + 1, 2 * n + 1, 71 * Groups(n, 3) + n, 71 * Groups(n, 3) + n, 22 * Groups(n, 4) + n};
  for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(posts[k].bytes.size(), sizes[k]) << "post " << k + 1;
  EXPECT_EQ(posts[0].bytes.substr(posts[0].bytes.size() - 3), "q\x95\x95");
  // 10,923 groups each: equal colour runs would be a broken generator, not chance.
  EXPECT_NE(posts[4].bytes, posts[5].bytes);
}

// Windows-1252 lacks these: the styles see them as they are (a separator
// splits a surrogate pair), and only the post makes them "?" or a best fit.
TEST(StrangeInput, CharactersOutsideTheCodePage) {
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  ASSERT_EQ(GetACP(), 1252u);
  // A paired surrogate, a lone one, and characters Windows-1252 lacks.
  s.tavi.SetText(s.tavi.text1, std::wstring(L"x\U0001F600z") + L'\xD800' + L"k\u20AC\u0100\u65E5");
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(7));
  const auto posts = s.room.Posts();
  const std::string& bullets = posts[0].bytes;
  ASSERT_EQ(bullets.size(), 19u);
  EXPECT_EQ(bullets.substr(0, 14), "x\x95?\x95?\x95z\x95?\x95k\x95\x80\x95");
  EXPECT_TRUE(bullets[14] == 'A' || bullets[14] == '?');  // best fit for A with macron, or none
  EXPECT_EQ(bullets.substr(15), "\x95?\x95\x95");
  // Whole, the pair is one character: one "?" (or one per half).
  const std::string& fancy = posts[1].bytes;
  EXPECT_TRUE(fancy.rfind("x?z?k\x80", 0) == 0 || fancy.rfind("x??z?k\x80", 0) == 0) << fancy;
}

// Run with LC_ALL=ja_JP.UTF-8: Wine's ANSI code page is then 932 (Shift JIS),
// two bytes a character. The room gets exactly the converted bytes.
TEST(CodePage932, TheRoomReceivesExactlyTheConvertedBytes) {
  ASSERT_EQ(GetACP(), 932u) << "run this suite with LC_ALL=ja_JP.UTF-8";
  RoomAndTavi s;
  ASSERT_TRUE(s.ready());
  ASSERT_EQ(s.room.Entries()[0].fields.at("acp"), "932");
  const std::wstring word = L"\u65E5\u672C\u8A9E\u30C6\u30B9\u30C8";  // 日本語テスト
  const char* const sjis[6] = {"\x93\xFA", "\x96\x7B", "\x8C\xEA", "\x83\x65", "\x83\x58", "\x83\x67"};
  std::wstring text;
  std::string dashes, fancy;
  for (int k = 0; k < 1667; ++k) {  // 10,002 characters
    text += word;
    for (const char* c : sjis) dashes += std::string(c) + "-", fancy += c;
  }
  ASSERT_TRUE(s.tavi.Paste(text));
  s.tavi.Click();
  ASSERT_TRUE(s.room.WaitForPosts(7));
  const auto posts = s.room.Posts();
  EXPECT_EQ(posts[1].bytes, fancy);
  EXPECT_EQ(posts[2].bytes, dashes + "-");
  EXPECT_EQ(posts[4].bytes.size(), 71 * Groups(text.size(), 3) + 2 * text.size());
  const std::string wave = posts[6].bytes;
  EXPECT_EQ(wave.size(), 22 * Groups(text.size(), 4) + 2 * text.size());
  const std::string group = std::string("<sup>") + sjis[0] + "</sup>" + sjis[1] + "<sub>" + sjis[2] + "</sub>" +
                            sjis[3] + "<sup>" + sjis[4] + "</sup>" + sjis[5];
  EXPECT_EQ(wave.substr(0, group.size()), group);
}

}  // namespace
