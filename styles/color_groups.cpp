// Colour groups: every three characters in one random font colour.
#include <array>
#include <cstring>

#include "styles/styles.h"

namespace tavi {
namespace {

constexpr std::array<const char16_t*, 10> kPalette = {
    u"#ff0000", u"#abcdef", u"#0000ff", u"#00ff00", u"#ffff00",
    u"#ff00ff", u"#00ffff", u"#3399ff", u"#ff9900", u"#000011",
};
constexpr std::size_t kTagLength = 21;  // <FONT COLOR="#rrggbb"

// The opening tag of each palette colour, built once.
struct Tags {
  char16_t tag[10][kTagLength];
  Tags() {
    const char16_t head[] = u"<FONT COLOR=\"";
    for (std::size_t k = 0; k < 10; ++k) {
      std::memcpy(tag[k], head, 13 * sizeof(char16_t));
      std::memcpy(tag[k] + 13, kPalette[k], 7 * sizeof(char16_t));
      tag[k][20] = u'"';
    }
  }
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

}  // namespace

std::optional<WideString> ColorGroups(const WideString& text, Platform& platform) {
  // Built at the first call, on the heap: a static of its size would take its room in the program file.
  static const Tags& tags = *new Tags;
  const std::size_t n = text.size();
  const char16_t* in = text.data();
  constexpr char16_t kPre[] = u"><pre>";
  const auto write = [&](char16_t* out) {
    for (std::size_t i = 0; i < n; i += 3) {
      platform.ReseedFromClock();
      const char16_t* tag = tags.tag[PaletteIndex(platform.DrawRandom()) - 1];
      // Tags are written for all three places, also past the end of the text.
      std::memcpy(out, tag, kTagLength * sizeof(char16_t));
      std::memcpy(out + kTagLength, kPre, 6 * sizeof(char16_t));
      out += kTagLength + 6;
      *out++ = in[i];
      for (std::size_t j = i + 1; j < i + 3; ++j) {
        std::memcpy(out, tag, kTagLength * sizeof(char16_t));
        out += kTagLength;
        *out++ = u'>';
        if (j < n) *out++ = in[j];
      }
    }
  };
  const auto length = ColorGroupsLength(n);
  WideString result;
  if (!length || !TryWrite(result, *length, write)) return std::nullopt;
  return result;
}

}  // namespace tavi
