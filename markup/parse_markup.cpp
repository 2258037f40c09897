// ParseMarkup: the few tags a chat room renders, read into formatted runs.
#include "markup/markup.h"

#include <algorithm>

namespace tavi {

namespace {

char16_t LowerCase(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

// Whether the n units at `s` begin with `word` (lower-case ASCII), in any case; its length.
bool StartsWith(const char16_t* s, std::size_t n, const char* word, std::size_t& length) {
  for (length = 0; word[length]; ++length)
    if (length >= n || LowerCase(s[length]) != static_cast<char16_t>(word[length])) return false;
  return true;
}

bool Is(const char16_t* s, std::size_t n, const char* word) {
  std::size_t length = 0;
  return StartsWith(s, n, word, length) && length == n;
}

// Reads color=#rrggbb (quoted or not) from the inside of a font tag, as 0x00BBGGRR.
bool FontColour(const char16_t* s, std::size_t n, std::uint32_t& colour) {
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t at = 0;
    if (!StartsWith(s + k, n - k, "color=", at)) continue;
    at += k;
    if (at < n && (s[at] == u'"' || s[at] == u'\'')) ++at;
    if (at + 7 > n || s[at] != u'#') return false;
    std::uint32_t rgb = 0;
    for (std::size_t d = at + 1; d < at + 7; ++d) {
      const char16_t c = LowerCase(s[d]);
      const int digit = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'a' && c <= u'f' ? c - u'a' + 10 : -1;
      if (digit < 0) return false;
      rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
    }
    colour = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
  }
  return false;
}

// Applies the tag inside the brackets to `look`; false when it is not one a room knows.
bool ApplyTag(const char16_t* s, std::size_t n, Look& look) {
  const bool closing = n > 0 && s[0] == u'/';
  const char16_t* name = s + (closing ? 1 : 0);
  const std::size_t length = n - (closing ? 1 : 0);
  std::size_t word = 0;
  std::uint32_t colour = 0;
  if (Is(name, length, "b")) {
    look.bold = !closing;
  } else if (Is(name, length, "sup") || Is(name, length, "sub")) {
    bool& on = LowerCase(name[2]) == u'p' ? look.superscript : look.subscript;
    if (!closing) look.superscript = look.subscript = false;
    on = !closing;
  } else if (Is(name, length, "pre")) {
    look.preformatted = !closing;
  } else if (closing && Is(name, length, "font")) {
    look.hasColour = false;
    look.colour = 0;
  } else if (!closing && StartsWith(name, length, "font ", word)) {
    // A colour that cannot be read leaves the one before it.
    if (FontColour(name, length, colour)) look.hasColour = true, look.colour = colour;
  } else {
    return false;
  }
  return true;
}

}  // namespace

MarkedLine ParseMarkup(const WideString& line, const WideString& changed) {
  MarkedLine marked;
  Look look;
  std::size_t begin = 0;  // where the run going on began in the plain text
  const auto endRun = [&] {
    if (marked.plain.size() > begin) marked.runs.push_back({begin, marked.plain.size(), look});
    begin = marked.plain.size();
  };
  const auto append = [&](std::size_t from, std::size_t to) {
    marked.plain.append(line.data() + from, to - from);
    if (changed.size() == line.size()) marked.changed.append(changed.data() + from, to - from);
  };
  // Where the next ">" is, found once for every "<" before it: each search starts where the last
  // one ended, so the line is read once.
  std::size_t close = 0;
  for (std::size_t i = 0; i < line.size();) {
    // Text up to the next "<" (this one too, where it opens no tag).
    const std::size_t next = std::min(line.find(u'<', i + 1), line.size());
    if (line[i] == u'<') {
      if (close <= i) close = std::min(line.find(u'>', i + 1), line.size());
      Look tagged = look;
      if (close < next && ApplyTag(line.data() + i + 1, close - i - 1, tagged)) {
        // A tag that changes nothing (a colour group's next tag) goes on with the same run.
        if (!(tagged == look)) {
          endRun();
          look = tagged;
        }
        i = close + 1;
        continue;
      }
    }
    append(i, next);
    i = next;
  }
  endRun();
  return marked;
}

}  // namespace tavi
