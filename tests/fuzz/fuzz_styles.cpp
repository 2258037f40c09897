// Fuzzes the styles for properties of their output: exact lengths, shapes and tags, the text kept in
// order. Built once per style (FUZZ_STYLE): 1 separators, 2 fancy letters, 3 colour groups, 4 wave.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz_platform.h"
#include "styles/styles.h"

namespace {

using namespace tavi;

void Check(bool ok) {
  if (!ok) std::abort();
}

// `out` with every occurrence of the given tags taken out.
[[maybe_unused]] WideString WithoutTags(const WideString& out, const std::vector<WideString>& tags) {
  WideString rest;
  for (std::size_t i = 0; i < out.size();) {
    bool tag = false;
    for (const WideString& t : tags) {
      if (out.compare(i, t.size(), t) == 0) {
        i += t.size();
        tag = true;
        break;
      }
    }
    if (!tag) rest.push_back(out[i++]);
  }
  return rest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteSource bytes(data, size);
  // The first byte says how many units of text follow; the rest are draws.
  const std::size_t n = bytes.Byte() % 64 + (size > 600 ? (size - 600) / 2 : 0);
  WideString text;
  for (std::size_t i = 0; i < n && !bytes.empty(); ++i) text.push_back(static_cast<char16_t>(bytes.Unit()));
  const std::size_t len = text.size();
  fuzz::FuzzPlatform platform(bytes);

#if FUZZ_STYLE == 1
  for (char16_t sep : {u'\u2022', u'-', u'.'}) {
    const WideString out = SpaceWithSeparator(text, sep).value();  // every input here fits in memory
    Check(out.size() == 2 * len + 1);
    for (std::size_t i = 0; i < len; ++i) Check(out[2 * i] == text[i] && out[2 * i + 1] == sep);
    Check(out.back() == sep);
  }
#elif FUZZ_STYLE == 2
  {
    static const WideString replacements =
        u"\u00E6\u00C6\u0153\u0152\u00C5\u00DF\u00C7\u00D0\u00CAhvw\u00D1\u00D8"
        u"\u00DA\u00A5\u00E1\u00EB\u00EE\u00F1\u00F8\u00FA\u00FD\u00BF\u00AB\u00BB\u00A4";
    const WideString out = FancyLetters(text, platform).value();
    Check(out.size() <= 8 * len);
    // Only input characters, table replacements and whole <b>x</b> tags
    // around a replacement; every < and > belongs to such a tag.
    for (std::size_t i = 0; i < out.size();) {
      if (out.compare(i, 3, u"<b>") == 0 && i + 8 <= out.size() && out.compare(i + 4, 4, u"</b>") == 0) {
        Check(replacements.find(out[i + 3]) != WideString::npos);
        i += 8;
        continue;
      }
      Check(out[i] != u'<' && out[i] != u'>');
      Check(text.find(out[i]) != WideString::npos || replacements.find(out[i]) != WideString::npos);
      ++i;
    }
  }
#elif FUZZ_STYLE == 3
  {
    static const WideString palette[10] = {u"#ff0000", u"#abcdef", u"#0000ff", u"#00ff00", u"#ffff00",
                                           u"#ff00ff", u"#00ffff", u"#3399ff", u"#ff9900", u"#000011"};
    const WideString out = ColorGroups(text, platform).value();
    // Group by group: three tags of one palette colour around the characters
    // (draws include NaN, infinities, negatives and 1.0).
    std::size_t at = 0;
    for (std::size_t i = 0; i < len; i += 3) {
      const WideString tag = out.substr(at, 21);
      Check(tag.compare(0, 13, u"<FONT COLOR=\"") == 0 && tag[20] == u'"');
      bool inPalette = false;
      for (const WideString& colour : palette) inPalette |= tag.compare(13, 7, colour) == 0;
      Check(inPalette);
      Check(out.compare(at + 21, 6, u"><pre>") == 0 && out[at + 27] == text[i]);
      at += 28;
      for (std::size_t j = i + 1; j < i + 3; ++j) {
        Check(out.compare(at, 21, tag) == 0 && out[at + 21] == u'>');
        at += 22;
        if (j < len) Check(out[at++] == text[j]);
      }
    }
    Check(at == out.size());
  }
#else
  {
    const WideString out = SupSubWave(text).value();
    Check(out.size() == 22 * ((len + 3) / 4) + len);
    // Where the text holds no tags of its own, it comes through in order
    // between the four tags of every group.
    static const std::vector<WideString> tags = {u"<sup>", u"</sup>", u"<sub>", u"</sub>"};
    if (text.find(u'<') == WideString::npos) Check(WithoutTags(out, tags) == text);
  }
#endif
  return 0;
}
