// The superscript/subscript wave: up, plain, down, plain for every four characters.
#include "styles/styles.h"

namespace tavi {

WideString SupSubWave(const WideString& text) {
  const std::size_t n = text.size();
  constexpr const char16_t* kTags[4] = {u"<sup>", u"</sup>", u"<sub>", u"</sub>"};
  WideString result;
  result.reserve(22 * ((n + 3) / 4) + n);
  for (std::size_t i = 0; i < n; i += 4) {
    // Every group writes all four tags, also when the text ends inside it.
    for (std::size_t j = 0; j < 4; ++j) {
      if (j == 0 || j == 2) result += kTags[j];
      if (i + j < n) result.push_back(text[i + j]);
      if (j == 0 || j == 2) result += kTags[j + 1];
    }
  }
  return result;
}

}  // namespace tavi
