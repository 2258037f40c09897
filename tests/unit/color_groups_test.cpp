// Colour groups: markup, a draw per group, the palette index; the generator behind the draws.
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "platform/random_generator.h"
#include "styles/styles.h"

namespace tavi {
namespace {

using testing::FakePlatform;

WideString Tag(const char16_t* colour) { return WideString(u"<FONT COLOR=\"") + colour + u"\""; }

TEST(ColorGroups, Examples) {
  const WideString red = Tag(u"#ff0000"), blue = Tag(u"#0000ff");
  const struct {
    const char16_t* input;
    std::vector<float> draws;
    WideString output;
    const char* randomCalls;  // reseeded before every draw, one draw a group
  } cases[] = {
      {u"abc", {0.0f}, red + u"><pre>a" + red + u">b" + red + u">c", "rd"},
      {u"abcd",
       {0.0f, 0.25f},
       red + u"><pre>a" + red + u">b" + red + u">c" + blue + u"><pre>d" + blue + u">" + blue + u">",
       "rdrd"},
      {u"", {}, u"", ""},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.draws.assign(c.draws.begin(), c.draws.end());
    EXPECT_EQ(ColorGroups(c.input, platform), c.output);
    EXPECT_EQ(platform.randomCalls, c.randomCalls);
  }
}

TEST(ColorGroups, PaletteIndexOfADraw) {
  const struct {
    float r;
    const char16_t* colour;
  } cases[] = {
      {0.0f, u"#ff0000"},
      {0.1f, u"#abcdef"},
      {0.25f, u"#0000ff"},
      {0.35f, u"#00ff00"},
      {0.45f, u"#ffff00"},
      {0.55f, u"#ff00ff"},
      {0.6f, u"#00ffff"},
      {0.85f, u"#ff9900"},
      // 0.7f is 0.699999988...: in double precision r * 10 + 1 stays below 8
      // (a float sum would round to 8.0).
      {0.7f, u"#00ffff"},
      {0.75f, u"#3399ff"},
      {0.99999994f, u"#000011"},  // the largest float below 1
      // A generator that broke its promise must not read past the palette.
      {1.0f, u"#000011"},
      {-0.5f, u"#ff0000"},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.draws = {c.r};
    EXPECT_EQ(ColorGroups(u"x", platform)->substr(0, 21), Tag(c.colour)) << c.r;
  }
}

TEST(RandomGenerator, StaysBelowOneAndCoversThePalette) {
  RandomGenerator generator;
  int seen[12] = {};
  for (int i = 0; i < 200000; ++i) {
    if (i % 7 == 0) generator.Reseed(100.0 + i * 0.001);
    const float r = generator.Draw();
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 1.0f);
    ++seen[static_cast<int>(static_cast<double>(r) * 10.0 + 1.0)];
  }
  for (int k = 1; k <= 10; ++k) EXPECT_GT(seen[k], 15000) << k;
}

// Reseeding mixes the clock in rather than replacing the state: with a clock
// that does not move, the two colour runs of a click still differ.
TEST(RandomGenerator, TwoColourRunsDifferWithinOneClockTick) {
  struct StoppedClock : FakePlatform {
    RandomGenerator generator;
    void ReseedFromClock() override { generator.Reseed(TimeOfDay()); }
    float DrawRandom() override { return generator.Draw(); }
  } platform;
  platform.time = 45296.789;
  const WideString line = u"Paella? Hello <3 everyone";
  EXPECT_NE(ColorGroups(line, platform), ColorGroups(line, platform));
}

}  // namespace
}  // namespace tavi
