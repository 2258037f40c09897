// ParseMarkup: the few tags a chat room renders, read into formatted runs.
#include "markup/markup.h"

namespace tavi {

namespace {

WideString Lower(WideString s) {
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
bool FontColour(const WideString& tag, std::uint32_t& colour) {
  std::size_t at = tag.find(u"color=");
  if (at == WideString::npos) return false;
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

// A run's look: everything but its text.
void SetLook(FormattedRun& to, const FormattedRun& from) {
  to.bold = from.bold, to.superscript = from.superscript, to.subscript = from.subscript;
  to.preformatted = from.preformatted, to.hasColour = from.hasColour, to.colour = from.colour;
}

bool SameLook(const FormattedRun& a, const FormattedRun& b) {
  return a.bold == b.bold && a.superscript == b.superscript && a.subscript == b.subscript &&
         a.preformatted == b.preformatted && a.hasColour == b.hasColour && a.colour == b.colour;
}

// Applies a tag (in lower case) to the formatting in `run`; false when it is not one we know.
bool ApplyTag(const WideString& tag, FormattedRun& run) {
  if (tag == u"b" || tag == u"/b") {
    run.bold = tag == u"b";
  } else if (tag == u"sup" || tag == u"sub") {
    run.superscript = tag == u"sup";
    run.subscript = tag == u"sub";
  } else if (tag == u"/sup") {
    run.superscript = false;
  } else if (tag == u"/sub") {
    run.subscript = false;
  } else if (tag == u"pre" || tag == u"/pre") {
    run.preformatted = tag == u"pre";
  } else if (tag == u"/font") {
    run.hasColour = false;
    run.colour = 0;
  } else if (tag.rfind(u"font ", 0) == 0) {
    run.hasColour = FontColour(tag, run.colour) || run.hasColour;
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::vector<FormattedRun> ParseMarkup(const WideString& line) {
  std::vector<FormattedRun> runs;
  FormattedRun current;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == u'<') {
      const std::size_t close = line.find(u'>', i + 1);
      FormattedRun next;
      SetLook(next, current);
      if (close != WideString::npos && ApplyTag(Lower(line.substr(i + 1, close - i - 1)), next)) {
        // A tag that changes nothing (a colour group's next tag) goes on with the same run.
        if (!SameLook(next, current)) {
          if (!current.text.empty()) runs.push_back(std::move(current));
          current = std::move(next);
        }
        i = close + 1;
        continue;
      }
    }
    current.text.push_back(line[i++]);
  }
  if (!current.text.empty()) runs.push_back(std::move(current));
  return runs;
}

WideString PlainText(const std::vector<FormattedRun>& runs) {
  WideString text;
  for (const FormattedRun& run : runs) text += run.text;
  return text;
}

}  // namespace tavi
