// Letters spaced apart with bullets, dashes or dots.
#include "styles/styles.h"

namespace tavi {

WideString SpaceWithSeparator(const WideString& text, char16_t separator) {
  // One turn per character and one more past the end, which adds the
  // separator alone: the result always ends in two separators.
  WideString result(2 * text.size() + 1, u'\0');
  char16_t* out = result.data();
  for (char16_t c : text) {
    *out++ = c;
    *out++ = separator;
  }
  *out = separator;
  return result;
}

WideString SpaceWithBullets(const WideString& text) { return SpaceWithSeparator(text, u'\u2022'); }
WideString SpaceWithDashes(const WideString& text) { return SpaceWithSeparator(text, u'-'); }
WideString SpaceWithDots(const WideString& text) { return SpaceWithSeparator(text, u'.'); }

}  // namespace tavi
