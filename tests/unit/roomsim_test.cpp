// roomsim's command line and the markup its history pane renders.
#include <gtest/gtest.h>

#include "tools/roomsim/markup.h"
#include "tools/roomsim/options.h"

namespace roomsim {
namespace {

TEST(RoomsimOptions, UnderstandsEveryOption) {
  const ParseResult r = ParseOptions({"--frame-class", "My Frame", "--rooms", "3", "--layout", "tworich",
                                      "--decoys", "2", "--toplevel-decoys", "--no-frame", "--hang-after", "5",
                                      "--exit-after", "6", "--churn", "250", "--transcript", "t.txt",
                                      "--title", "Kitchen"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.frameClass, "My Frame");
  EXPECT_EQ(r.options.rooms, 3);
  EXPECT_EQ(r.options.layout, Layout::TwoRich);
  EXPECT_EQ(r.options.decoys, 2);
  EXPECT_TRUE(r.options.topLevelDecoys);
  EXPECT_TRUE(r.options.noFrame);
  EXPECT_EQ(r.options.hangAfter, 5);
  EXPECT_EQ(r.options.exitAfter, 6);
  EXPECT_EQ(r.options.churnMs, 250);
  EXPECT_EQ(r.options.transcript, "t.txt");
  EXPECT_EQ(r.options.title, "Kitchen");
  EXPECT_TRUE(ParseOptions({"--help"}).options.help);
}

TEST(RoomsimOptions, ExplainsWhatItDoesNotUnderstand) {
  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{"--rooms"}, "option --rooms needs a value"},
      {{"--rooms", "x"}, "option --rooms takes a whole number from 0 to 8, not \"x\""},
      {{"--rooms", "9"}, "option --rooms takes a whole number from 0 to 8, not \"9\""},
      {{"--rooms", "-1"}, "option --rooms takes a whole number from 0 to 8, not \"-1\""},
      {{"--layout", "round"}, "unknown layout \"round\" (readonly, tworich or single)"},
      {{"--bogus"}, "unknown option \"--bogus\""},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseOptions(c.args).error, c.error);
}

TEST(RoomsimMarkup, RunsCarryTheirFormatting) {
  const auto runs = ParseMarkup(u"<b>\u00E1</b>x<sup>a</sup>b<sub>c</sub><FONT COLOR=\"#3399ff\"><pre>d<font color=#FF0000>e</font>f");
  ASSERT_EQ(runs.size(), 8u);
  EXPECT_EQ(runs[0].text, u"\u00E1");
  EXPECT_TRUE(runs[0].bold);
  EXPECT_EQ(runs[1].text, u"x");
  EXPECT_FALSE(runs[1].bold);
  EXPECT_TRUE(runs[2].superscript);
  EXPECT_TRUE(runs[4].subscript);
  EXPECT_EQ(runs[5].text, u"d");
  EXPECT_TRUE(runs[5].hasColour);
  EXPECT_EQ(runs[5].colour, 0xFF9933u);  // 0x00BBGGRR
  EXPECT_EQ(runs[6].colour, 0x0000FFu);
  EXPECT_EQ(runs[7].text, u"f");
  EXPECT_FALSE(runs[7].hasColour);
}

TEST(RoomsimMarkup, AnythingElseInBracketsIsText) {
  const auto runs = ParseMarkup(u"a <3 <i>b</i> > <");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].text, u"a <3 <i>b</i> > <");
}

}  // namespace
}  // namespace roomsim
