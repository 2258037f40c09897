// Colour groups: every three characters in one random font colour.
#include "styles/styles.h"

#include <array>

namespace tavi {
namespace {

constexpr std::array<const char16_t*, 10> kPalette = {
    u"#ff0000", u"#abcdef", u"#0000ff", u"#00ff00", u"#ffff00",
    u"#ff00ff", u"#00ffff", u"#3399ff", u"#ff9900", u"#000011",
};

// Palette index 1..10 from a draw r in [0, 1), computed in double precision
// (0.7f gives 7, where a float sum would round to 8). A draw outside [0, 1)
// is clamped to the palette instead of reading past it.
int PaletteIndex(float r) {
  const double k = static_cast<double>(r) * 10.0 + 1.0;
  if (!(k >= 1.0)) return 1;
  if (k >= 10.0) return 10;
  return static_cast<int>(k);
}

void AppendTag(WideString& result, const char16_t* colour) {
  result += u"<FONT COLOR=\"";
  result += colour;
  result += u"\"";
}

}  // namespace

WideString ColorGroups(const WideString& text, Platform& platform) {
  const std::size_t n = text.size();
  const std::size_t groups = (n + 2) / 3;
  WideString result;
  result.reserve(71 * groups + n);
  for (std::size_t i = 0; i < n; i += 3) {
    platform.ReseedFromClock();
    const char16_t* colour = kPalette[PaletteIndex(platform.DrawRandom()) - 1];
    // Tags are written for all three places, also past the end of the text.
    AppendTag(result, colour);
    result += u"><pre>";
    result.push_back(text[i]);
    for (std::size_t j = i + 1; j < i + 3; ++j) {
      AppendTag(result, colour);
      result.push_back(u'>');
      if (j < n) result.push_back(text[j]);
    }
  }
  return result;
}

}  // namespace tavi
