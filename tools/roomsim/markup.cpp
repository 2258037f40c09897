// ParseMarkup: the few tags a chat room renders, read into formatted runs.
#include "tools/roomsim/markup.h"

namespace roomsim {

namespace {

std::u16string Lower(std::u16string s) {
  for (char16_t& c : s)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return s;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// Reads color=#rrggbb (quoted or not) from the inside of a font tag.
bool FontColour(const std::u16string& tag, std::uint32_t& colour) {
  std::size_t at = tag.find(u"color=");
  if (at == std::u16string::npos) return false;
  at += 6;
  if (at < tag.size() && (tag[at] == u'"' || tag[at] == u'\'')) ++at;
  if (at + 7 > tag.size() || tag[at] != u'#') return false;
  std::uint32_t rgb = 0;
  for (std::size_t k = at + 1; k < at + 7; ++k) {
    const int d = HexDigit(tag[k]);
    if (d < 0) return false;
    rgb = rgb << 4 | static_cast<std::uint32_t>(d);
  }
  colour = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
  return true;
}

// Applies a tag to the formatting in `run`; false when it is not one we know.
bool ApplyTag(const std::u16string& tag, Run& run) {
  if (tag == u"b")
    run.bold = true;
  else if (tag == u"/b")
    run.bold = false;
  else if (tag == u"sup")
    run.superscript = true, run.subscript = false;
  else if (tag == u"/sup")
    run.superscript = false;
  else if (tag == u"sub")
    run.subscript = true, run.superscript = false;
  else if (tag == u"/sub")
    run.subscript = false;
  else if (tag == u"pre" || tag == u"/pre") {
  } else if (tag == u"/font")
    run.hasColour = false;
  else if (tag.rfind(u"font ", 0) == 0)
    run.hasColour = FontColour(tag, run.colour) || run.hasColour;
  else
    return false;
  return true;
}

}  // namespace

std::vector<Run> ParseMarkup(const std::u16string& line) {
  std::vector<Run> runs;
  Run current;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == u'<') {
      const std::size_t close = line.find(u'>', i + 1);
      Run next = current;
      if (close != std::u16string::npos && ApplyTag(Lower(line.substr(i + 1, close - i - 1)), next)) {
        if (!current.text.empty()) runs.push_back(current);
        current = next;
        current.text.clear();
        i = close + 1;
        continue;
      }
    }
    current.text.push_back(line[i++]);
  }
  if (!current.text.empty()) runs.push_back(current);
  return runs;
}

}  // namespace roomsim
