// Letters spaced apart with bullets, dashes or dots.
#include "styles/styles.h"

namespace tavi {

std::optional<WideString> SpaceWithSeparator(const WideString& text, char16_t separator) {
  // One turn per character and one more past the end, which adds the
  // separator alone: the result always ends in two separators.
  const auto write = [&](char16_t* out) {
    for (char16_t c : text) {
      *out++ = c;
      *out++ = separator;
    }
    *out = separator;
  };
  const auto length = SeparatorSpacingLength(text.size());
  WideString result;
  if (!length || !TryWrite(result, *length, write)) return std::nullopt;
  return result;
}

std::optional<WideString> SpaceWithBullets(const WideString& text) { return SpaceWithSeparator(text, u'\u2022'); }
std::optional<WideString> SpaceWithDashes(const WideString& text) { return SpaceWithSeparator(text, u'-'); }
std::optional<WideString> SpaceWithDots(const WideString& text) { return SpaceWithSeparator(text, u'.'); }

}  // namespace tavi
