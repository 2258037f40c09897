// Letters spaced apart with bullets, dashes or dots.
#include "styles/styles.h"

namespace tavi {

WideString SpaceWithSeparator(const WideString& text, char16_t separator) {
  WideString result;
  result.reserve(2 * text.size() + 2);
  // One turn per character and one more past the end, which adds the
  // separator alone: the result always ends in two separators.
  for (char16_t c : text) {
    result.push_back(c);
    result.push_back(separator);
  }
  result.push_back(separator);
  return result;
}

WideString SpaceWithBullets(const WideString& text) { return SpaceWithSeparator(text, u'\u2022'); }
WideString SpaceWithDashes(const WideString& text) { return SpaceWithSeparator(text, u'-'); }
WideString SpaceWithDots(const WideString& text) { return SpaceWithSeparator(text, u'.'); }

}  // namespace tavi
