// Letters spaced apart with bullets, dashes or dots.
#include "styles/styles.h"

namespace tavi {

WideString SpaceWithSeparator(const WideString& text, char16_t separator) {
  // One turn per character and one more past the end, which adds the
  // separator alone: the result always ends in two separators.
  const std::size_t length = 2 * text.size() + 1;
  WideString result;
  // Written once, without clearing the memory first. (The size given to the
  // writer may be the capacity, so the length returned is our own.)
  result.resize_and_overwrite(length, [&](char16_t* out, std::size_t) {
    for (char16_t c : text) {
      *out++ = c;
      *out++ = separator;
    }
    *out = separator;
    return length;
  });
  return result;
}

WideString SpaceWithBullets(const WideString& text) { return SpaceWithSeparator(text, u'\u2022'); }
WideString SpaceWithDashes(const WideString& text) { return SpaceWithSeparator(text, u'-'); }
WideString SpaceWithDots(const WideString& text) { return SpaceWithSeparator(text, u'.'); }

}  // namespace tavi
