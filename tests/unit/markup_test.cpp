// The chat markup read into runs, as the room and the preview show a line.
#include "markup/markup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tavi {
namespace {

// The runs as text/look: B bold, ^ superscript, _ subscript, P fixed pitch, #bbggrr a colour.
std::string Describe(const MarkedLine& line) {
  std::string out;
  for (const FormattedRun& r : line.runs) {
    if (!out.empty()) out += "|";
    for (std::size_t k = r.begin; k < r.end; ++k) out += line.plain[k] < 0x80 ? static_cast<char>(line.plain[k]) : '?';
    out += std::string("/") + (r.look.bold ? "B" : "") + (r.look.superscript ? "^" : "") +
           (r.look.subscript ? "_" : "") + (r.look.preformatted ? "P" : "");
    if (r.look.hasColour) {
      char colour[8];
      std::snprintf(colour, sizeof colour, "#%06x", static_cast<unsigned>(r.look.colour));
      out += colour;
    }
  }
  return out;
}

TEST(ParseMarkup, ReadsTheTagsARoomShows) {
  const struct {
    const char16_t* line;
    const char* runs;
  } cases[] = {
      {u"", ""},
      {u"plain", "plain/"},
      // Nesting; a tag left open holds to the end; tags in any case.
      {u"a<b>b<sup>c</sup>d</b>e", "a/|b/B|c/B^|d/B|e/"},
      {u"x<B>y", "x/|y/B"},
      {u"<SUP>1</Sup>2<sub>3</SUB>4<sup>5<sub>6", "1/^|2/|3/_|4/|5/^|6/_"},
      {u"<PRE>a</pre>b", "a/P|b/"},
      // Colours quoted or not, as BGR; one that cannot be read keeps the colour before it.
      {u"<FONT COLOR=\"#3399ff\">c</FONT>d", "c/#ff9933|d/"},
      {u"<font color=#ff0000>r<font color=\"nope\">s", "rs/#0000ff"},
      {u"<font color='#00ff80'>g", "g/#80ff00"},
      // A colour group: its next tags change nothing and go on with the same run.
      {u"<FONT COLOR=\"#00ff00\"><pre>a<FONT COLOR=\"#00ff00\">b<FONT COLOR=\"#0000ff\">c", "ab/P#00ff00|c/P#ff0000"},
      // What the user typed is text: < and >, unknown tags, a < never closed.
      {u"1 < 2 > 0", "1 < 2 > 0/"},
      {u"<3 <i>x</i> a<b", "<3 <i>x</i> a<b/"},
      {u"<<b>>", "</|>/B"},
      // A tag never holds a "<": the first one is text, the tag after it is read.
      {u"<font <font color=#ff0000>x", "<font /|x/#0000ff"},
      {u"<b<b>c", "<b/|c/B"},
  };
  for (const auto& c : cases) {
    const std::u16string line = c.line;
    EXPECT_EQ(Describe(ParseMarkup(line)), c.runs) << std::string(line.begin(), line.end());
  }
}

}  // namespace
}  // namespace tavi
