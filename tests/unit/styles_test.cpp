// The separator, fancy-letter and sup/sub styles: their examples, event handling and lengths.
#include "styles/styles.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace tavi {
namespace {

using testing::FakePlatform;

struct Example {
  const char16_t* input;
  const char16_t* output;
};

TEST(SeparatorSpacing, Examples) {
  const struct {
    std::optional<WideString> (*style)(const WideString&);
    Example example;
  } cases[] = {
      {SpaceWithDashes, {u"abc", u"a-b-c--"}},
      {SpaceWithBullets, {u"abc", u"a\u2022b\u2022c\u2022\u2022"}},
      {SpaceWithDots, {u"abc", u"a.b.c.."}},
      {SpaceWithDashes, {u"Hello", u"H-e-l-l-o--"}},
      {SpaceWithDashes, {u"", u"-"}},
      {SpaceWithBullets, {u"", u"\u2022"}},
      {SpaceWithDots, {u" ", u" .."}},
      // A surrogate pair is split, one code unit at a time.
      {SpaceWithDashes, {u"\U0001F600", u"\xD83D-\xDE00--"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.style(c.example.input), c.example.output)
        << "input: " << ::testing::PrintToString(WideString(c.example.input));
  }
}

TEST(FancyLetters, Examples) {
  const Example cases[] = {
      {u"Hello", u"h<b>\u00EB</b>ll<b>\u00F8</b>"},
      {u"Paella", u"P\u00E6ll<b>\u00E1</b>"},
      {u"Noel", u"\u00D1\u0153l"},
      {u"AEON", u"\u00C6\u00D8\u00D1"},
      {u"Maybe?", u"M<b>\u00E1</b><b>\u00FD</b>b<b>\u00EB</b>\u00BF"},
      {u"aoe", u"<b>\u00E1</b>\u0153"},
      {u"", u""},
      // Pairs are case-sensitive.
      {u"Ae", u"\u00C5<b>\u00EB</b>"},
      {u"aE", u"<b>\u00E1</b>\u00CA"},
      // A pair at the very end, and a swallowed position followed by an e.
      {u"oe", u"\u0153"},
      {u"aee", u"\u00E6<b>\u00EB</b>"},
      // Replacements are never re-examined; typed angle brackets are.
      {u"<b>", u"\u00ABb\u00BB"},
      {u"BCDHUVWY*", u"\u00DF\u00C7\u00D0h\u00DAvw\u00A5\u00A4"},
      {u"iu n 7", u"<b>\u00EE</b><b>\u00FA</b> \u00F1 7"},
      {u"bcdfgFGIJKLMPQRSTXZ", u"bcdfgFGIJKLMPQRSTXZ"},
  };
  for (const Example& c : cases) {
    FakePlatform platform;
    EXPECT_EQ(FancyLetters(c.input, platform), c.output) << "input: " << ::testing::PrintToString(WideString(c.input));
  }
}

TEST(FancyLetters, HandlesEventsTwicePerTurnIncludingTheTurnPastTheEnd) {
  for (std::size_t n : {0u, 1u, 5u, 40u}) {
    FakePlatform platform;
    FancyLetters(WideString(n, u'x'), platform);
    EXPECT_EQ(platform.processCalls, static_cast<int>(2 * (n + 1))) << n;
  }
}

TEST(SupSubWave, Examples) {
  const Example cases[] = {
      {u"abcd", u"<sup>a</sup>b<sub>c</sub>d"},
      {u"abc", u"<sup>a</sup>b<sub>c</sub>"},
      {u"abcde", u"<sup>a</sup>b<sub>c</sub>d<sup>e</sup><sub></sub>"},
      {u"x", u"<sup>x</sup><sub></sub>"},
      {u"", u""},
      {u"<b>", u"<sup><</sup>b<sub>></sub>"},
  };
  for (const Example& c : cases) EXPECT_EQ(SupSubWave(c.input), c.output);
}

// Exact lengths for every n, also past the 16-bit counters' range, and the
// longest lines are styled to their end.
TEST(StyleLengths, FormulasHoldForShortAndHugeTexts) {
  for (std::size_t n : {0u, 1u, 2u, 3u, 4u, 5u, 32766u, 32767u, 1000000u}) {
    WideString text(n, u'q');  // a letter no style replaces
    if (n > 0) text.back() = u'Z';
    FakePlatform platform;
    const WideString dots = *SpaceWithDots(text), fancy = *FancyLetters(text, platform);
    EXPECT_EQ(dots.size(), 2 * n + 1) << n;  // n separators and one more
    EXPECT_EQ(fancy.size(), n) << n;
    EXPECT_EQ(ColorGroups(text, platform)->size(), 71 * ((n + 2) / 3) + n) << n;
    EXPECT_EQ(SupSubWave(text)->size(), 22 * ((n + 3) / 4) + n) << n;
    if (n > 0) {
      EXPECT_EQ(dots.substr(dots.size() - 3), u"Z..") << n;
      EXPECT_EQ(fancy.back(), u'Z') << n;
    }
  }
}

// tavi.exe counts in a 32-bit size_t: each length is exact up to the last text
// that fits and nothing from the next unit on, never a wrapped, too small size.
TEST(StyleLengths, NothingPastTheWrapOfA32BitSize) {
  using Size = std::uint32_t;
  const struct {
    const char* what;
    std::optional<Size> (*length)(Size);
    Size lastFit;
    Size lengthThere;
  } cases[] = {
      {"separators", SeparatorSpacingLength<Size>, 2147483647u, 4294967295u},
      {"fancy letters at most", FancyLettersBound<Size>, 536870911u, 4294967288u},
      {"colour groups", ColorGroupsLength<Size>, 174120294u, 4294967252u},
      {"sup/sub wave", SupSubWaveLength<Size>, 660764196u, 4294967274u},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.length(c.lastFit), c.lengthThere) << c.what;
    EXPECT_EQ(c.length(c.lastFit + 1), std::nullopt) << c.what;
  }
}

}  // namespace
}  // namespace tavi
