// The superscript/subscript wave: up, plain, down, plain for every four characters.
#include <cstring>

#include "styles/styles.h"

namespace tavi {

namespace {

// A whole group: <sup>1</sup>2<sub>3</sub>4, with the places of the four characters.
constexpr char16_t kGroup[] = u"<sup>1</sup>2<sub>3</sub>4";
constexpr std::size_t kGroupLength = sizeof kGroup / sizeof kGroup[0] - 1;  // 26
constexpr std::size_t kPlace[4] = {5, 12, 18, 25};

}  // namespace

std::optional<WideString> SupSubWave(const WideString& text) {
  const std::size_t n = text.size();
  const char16_t* in = text.data();
  const auto write = [&](char16_t* out) {
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4, out += kGroupLength) {
      std::memcpy(out, kGroup, sizeof kGroup - sizeof kGroup[0]);
      for (std::size_t j = 0; j < 4; ++j) out[kPlace[j]] = in[i + j];
    }
    if (i < n) {
      // The last group writes all four tags, also where the text has ended.
      std::size_t next = 0;  // the group's next character place
      for (std::size_t g = 0; g < kGroupLength; ++g) {
        if (next < 4 && g == kPlace[next]) {
          if (i + next < n) *out++ = in[i + next];
          ++next;
        } else {
          *out++ = kGroup[g];
        }
      }
    }
  };
  const auto length = SupSubWaveLength(n);
  WideString result;
  if (!length || !TryWrite(result, *length, write)) return std::nullopt;
  return result;
}

}  // namespace tavi
