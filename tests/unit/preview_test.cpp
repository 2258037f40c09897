// The preview's seven posts: the roster's styles read as the room shows them, no event handled.
#include "sequence/preview.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace tavi {
namespace {

using testing::FakePlatform;

TEST(PreviewPosts, TheSevenPostsAsTheRoomShowsThemWithNoEventHandled) {
  FakePlatform platform;
  bool handled = false;
  platform.At(0, [&] { handled = true; });  // waiting from the start: a run would handle it
  platform.draws = {0.0f, 0.25f};
  PreviewedPosts posts;
  PreviewPosts(u"Hello", platform, posts);
  EXPECT_FALSE(handled);
  EXPECT_EQ(platform.processCalls, 0);
  ASSERT_EQ(posts.size(), 7u);
  const std::u16string plain[] = {u"H\u2022e\u2022l\u2022l\u2022o\u2022\u2022",
                                  u"h\u00EBll\u00F8",
                                  u"H-e-l-l-o--",
                                  u"H.e.l.l.o..",
                                  u"Hello",
                                  u"Hello",
                                  u"Hello"};
  for (std::size_t k = 0; k < 7; ++k) {
    EXPECT_EQ(posts[k].line.plain, plain[k]) << k + 1;
    EXPECT_EQ(posts[k].drawnAnew, k == 4 || k == 5) << k + 1;
    EXPECT_FALSE(posts[k].cut) << k + 1;
  }
  // The fancy letters' bold vowels; a colour a group; the wave up and down.
  const auto& fancy = posts[1].line.runs;
  EXPECT_TRUE(fancy[1].look.bold && fancy[1].begin == 1 && fancy[1].end == 2 && !fancy[2].look.bold);
  const auto& colours = posts[4].line.runs;
  ASSERT_EQ(colours.size(), 2u);
  EXPECT_EQ(colours[0].end, 3u);
  EXPECT_EQ(colours[0].look.colour, 0x0000FFu);  // draw 0.0: #ff0000
  EXPECT_EQ(colours[1].look.colour, 0xFF0000u);  // draw 0.25: #0000ff
  EXPECT_TRUE(colours[0].look.preformatted);
  EXPECT_TRUE(posts[6].line.runs[0].look.superscript && posts[6].line.runs[2].look.subscript);
}

// A line past what a preview shows is styled in its first part, never cut inside a surrogate
// pair, and marked as cut.
TEST(PreviewPosts, ALongLineIsCutAndSaysSo) {
  FakePlatform platform;
  std::u16string text(kPreviewLength + 9, u'a');
  text[kPreviewLength - 1] = 0xD83D;  // a pair across the cut
  text[kPreviewLength] = 0xDE00;
  PreviewedPosts posts;
  PreviewPosts(text, platform, posts);
  for (const PreviewPost& post : posts) EXPECT_TRUE(post.cut);
  EXPECT_EQ(posts[2].line.plain.size(), 2 * (kPreviewLength - 1) + 1);  // the dashes around each unit
}

// Each post as it arrives: converted to the code page as a post is, and back. What arrives
// otherwise than typed is marked, and the note says how much of the line does.
TEST(PreviewPosts, ShowWhatArrivesAfterTheCodePage) {
  const struct {
    int codePage;
    bool pairAsOne;  // an emoji becomes one "?", or two
    const char16_t* text;
    const char16_t* dashes;  // the third post
    const char* dashesChanged;
    const char16_t* bullets;     // the first
    const char* coloursChanged;  // the fifth: a pair kept whole
    const char16_t* note;
  } cases[] = {
      {1252, false, u"\u0416\u2192 caf\u00E9 ok", u"?-?- -c-a-f-\u00E9- -o-k--", "x.x..................",
       u"?\u2022?\u2022 \u2022c\u2022a\u2022f\u2022\u00E9\u2022 \u2022o\u2022k\u2022\u2022", "xx........",
       u"2 characters arrive as ?"},
      {932, false, u"\u0416\u2192 caf\u00E9 ok", u"\u0416-\u2192- -c-a-f-e- -o-k--", "............x........",
       u"\u0416?\u2192? ?c?a?f?e? ?o?k??", "......x...", u"1 character arrives as a look-alike"},
      {932, false, u"ok", u"o-k--", ".....", u"o?k??", "..", u"Marked characters arrive as ? or a look-alike"},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.codePage = c.codePage;
    platform.pairAsOne = c.pairAsOne;
    PreviewedPosts posts;
    const Conversion conversion = PreviewPosts(c.text, platform, posts);
    SCOPED_TRACE(c.codePage);
    EXPECT_EQ(posts[2].line.plain, c.dashes);
    const auto marks = [](const WideString& changed) {
      std::string out;
      for (const char16_t unit : changed) out += unit ? 'x' : '.';
      return out;
    };
    EXPECT_EQ(marks(posts[2].line.changed), c.dashesChanged);
    EXPECT_EQ(marks(posts[4].line.changed), c.coloursChanged);
    EXPECT_EQ(posts[0].line.plain, c.bullets);
    EXPECT_EQ(ConversionNote(conversion), c.note);
  }
}

}  // namespace
}  // namespace tavi
