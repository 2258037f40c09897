// Plain, slow restatements of the styles, step by step as they are specified, for
// differential fuzzing of the fast ones.
#pragma once

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace tavi::reference {

// The character at 1-based position i, or empty past the end; two from i.
inline std::u16string_view At(const WideString& t, long i, long count = 1) {
  if (i < 1 || i > static_cast<long>(t.size())) return u"";
  return std::u16string_view(t).substr(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(count));
}

inline WideString SpaceWithSeparator(const WideString& text, char16_t separator) {
  const long n = static_cast<long>(text.size());
  WideString result;
  for (long i = 0; i <= n;) {
    ++i;
    result += At(text, i);
    result += separator;
  }
  return result;
}

inline WideString FancyLetters(const WideString& text, long& eventChecks) {
  static const std::vector<std::pair<WideString, WideString>> ligatures = {
      {u"ae", u"\u00E6"}, {u"AE", u"\u00C6"}, {u"oe", u"\u0153"}, {u"OE", u"\u0152"}};
  static const std::map<char16_t, WideString> letters = {
      {u'A', u"\u00C5"}, {u'B', u"\u00DF"}, {u'C', u"\u00C7"}, {u'D', u"\u00D0"}, {u'E', u"\u00CA"},
      {u'H', u"h"},      {u'N', u"\u00D1"}, {u'O', u"\u00D8"}, {u'U', u"\u00DA"}, {u'V', u"v"},
      {u'W', u"w"},      {u'Y', u"\u00A5"}, {u'a', u"<b>\u00E1</b>"}, {u'e', u"<b>\u00EB</b>"},
      {u'i', u"<b>\u00EE</b>"}, {u'n', u"\u00F1"}, {u'o', u"<b>\u00F8</b>"}, {u'u', u"<b>\u00FA</b>"},
      {u'y', u"<b>\u00FD</b>"}, {u'?', u"\u00BF"}, {u'<', u"\u00AB"}, {u'>', u"\u00BB"}, {u'*', u"\u00A4"}};
  const long n = static_cast<long>(text.size());
  long pos = 0, skipCount = 0;
  WideString result;
  while (pos <= n) {
    ++eventChecks;
    ++pos;
    const std::u16string_view c = At(text, pos), pair = At(text, pos, 2);
    bool matched = false;
    for (const auto& [from, to] : ligatures) {
      if (pair == from) {
        result += to;
        skipCount = 2;
        matched = true;
        break;
      }
    }
    if (!matched && skipCount <= 0) {
      const auto found = c.empty() ? letters.end() : letters.find(c[0]);
      result += found != letters.end() ? found->second : c;
    }
    if (skipCount > 0) --skipCount;
    ++eventChecks;
  }
  return result;
}

inline const char16_t* PaletteColour(int k) {
  static const char16_t* palette[] = {u"#ff0000", u"#abcdef", u"#0000ff", u"#00ff00", u"#ffff00",
                                      u"#ff00ff", u"#00ffff", u"#3399ff", u"#ff9900", u"#000011"};
  return palette[k - 1];
}

// `draws` are the generator's values, one per group; out-of-range values
// are clamped into the palette.
inline WideString ColorGroups(const WideString& text, const std::vector<float>& draws) {
  const long n = static_cast<long>(text.size());
  WideString result;
  std::size_t g = 0;
  for (long i = 1; i <= n; i += 3) {
    const double k = static_cast<double>(draws.at(g++)) * 10.0 + 1.0;
    const int index = !(k >= 1.0) ? 1 : k >= 10.0 ? 10 : static_cast<int>(k);
    const WideString tag = WideString(u"<FONT COLOR=\"") + PaletteColour(index) + u"\"";
    for (const std::u16string_view piece : {std::u16string_view(tag), std::u16string_view(u"><pre>"), At(text, i),
                                            std::u16string_view(tag), std::u16string_view(u">"), At(text, i + 1),
                                            std::u16string_view(tag), std::u16string_view(u">"), At(text, i + 2)})
      result += piece;
  }
  return result;
}

inline WideString SupSubWave(const WideString& text) {
  const long n = static_cast<long>(text.size());
  WideString result;
  for (long i = 1; i <= n; i += 4) {
    for (const std::u16string_view piece : {std::u16string_view(u"<sup>"), At(text, i), std::u16string_view(u"</sup>"),
                                            At(text, i + 1), std::u16string_view(u"<sub>"), At(text, i + 2),
                                            std::u16string_view(u"</sub>"), At(text, i + 3)})
      result += piece;
  }
  return result;
}

}  // namespace tavi::reference
