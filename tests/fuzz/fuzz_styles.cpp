// Fuzzes the styles: exact agreement with the plain restatements, the length
// formulas, and the shape of each output. Built once per style (FUZZ_STYLE):
// 1 separators, 2 fancy letters, 3 colour groups, 4 sup/sub wave.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz_platform.h"
#include "reference_styles.h"
#include "styles/styles.h"

namespace {

using namespace tavi;

void Check(bool ok) {
  if (!ok) std::abort();
}

[[maybe_unused]] bool IsFancyReplacement(char16_t c) {
  static const WideString all = u"\u00E6\u00C6\u0153\u0152\u00C5\u00DF\u00C7\u00D0\u00CAhvw\u00D1\u00D8\u00DA\u00A5"
                                u"\u00E1\u00EB\u00EE\u00F1\u00F8\u00FA\u00FD\u00BF\u00AB\u00BB\u00A4";
  return all.find(c) != WideString::npos;
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
    const WideString out = SpaceWithSeparator(text, sep);
    Check(out.size() == 2 * len + 1);
    for (std::size_t i = 0; i < len; ++i) Check(out[2 * i] == text[i] && out[2 * i + 1] == sep);
    Check(out.back() == sep);
    Check(out == reference::SpaceWithSeparator(text, sep));
  }
  Check(SpaceWithBullets(text) == SpaceWithSeparator(text, u'\u2022'));
  Check(SpaceWithDashes(text) == SpaceWithSeparator(text, u'-'));
  Check(SpaceWithDots(text) == SpaceWithSeparator(text, u'.'));
#elif FUZZ_STYLE == 2
  {
    long referenceChecks = 0;
    const WideString out = FancyLetters(text, platform);
    Check(out == reference::FancyLetters(text, referenceChecks));
    Check(platform.processCalls == static_cast<long>(2 * (len + 1)) && referenceChecks == platform.processCalls);
    Check(out.size() <= 8 * len);
    // Only input characters, table replacements and bold tags; every < and >
    // belongs to a tag.
    for (std::size_t i = 0; i < out.size();) {
      if (out.compare(i, 3, u"<b>") == 0 && i + 8 <= out.size() && out.compare(i + 4, 4, u"</b>") == 0) {
        Check(IsFancyReplacement(out[i + 3]));
        i += 8;
        continue;
      }
      Check(out[i] != u'<' && out[i] != u'>');
      Check(text.find(out[i]) != WideString::npos || IsFancyReplacement(out[i]));
      ++i;
    }
  }

#elif FUZZ_STYLE == 3
  {
    std::vector<float> draws;
    for (std::size_t g = 0; g < (len + 2) / 3; ++g) draws.push_back(bytes.Float());
    std::size_t next = 0;
    struct Replay : fuzz::FuzzPlatform {
      using FuzzPlatform::FuzzPlatform;
      const std::vector<float>* draws = nullptr;
      std::size_t* next = nullptr;
      float DrawRandom() override { return (*draws)[(*next)++]; }
    } replay(bytes);
    replay.draws = &draws;
    replay.next = &next;
    const WideString out = ColorGroups(text, replay);
    Check(next == draws.size());
    Check(out.size() == 71 * ((len + 2) / 3) + len);
    Check(out == reference::ColorGroups(text, draws));
    // Group by group: three tags of one palette colour around the characters.
    std::size_t at = 0;
    for (std::size_t i = 0; i < len; i += 3) {
      const WideString tag = out.substr(at, 21);
      Check(tag.compare(0, 13, u"<FONT COLOR=\"") == 0 && tag[20] == u'"');
      bool inPalette = false;
      for (int k = 1; k <= 10; ++k) inPalette |= tag.compare(13, 7, reference::PaletteColour(k)) == 0;
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
    const WideString out = SupSubWave(text);
    Check(out.size() == 22 * ((len + 3) / 4) + len);
    Check(out == reference::SupSubWave(text));
  }
#endif
  return 0;
}
