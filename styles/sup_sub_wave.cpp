// The superscript/subscript wave: up, plain, down, plain for every four characters.
#include <cstring>

#include "styles/styles.h"

namespace tavi {

namespace {

template <std::size_t N>
char16_t* Put(char16_t* out, const char16_t (&tag)[N]) {
  std::memcpy(out, tag, (N - 1) * sizeof(char16_t));
  return out + (N - 1);
}

}  // namespace

WideString SupSubWave(const WideString& text) {
  const std::size_t n = text.size();
  WideString result(22 * ((n + 3) / 4) + n, u'\0');
  char16_t* out = result.data();
  const char16_t* in = text.data();
  // Every group writes all four tags, also when the text ends inside it.
  for (std::size_t i = 0; i < n; i += 4) {
    out = Put(out, u"<sup>");
    *out++ = in[i];
    out = Put(out, u"</sup>");
    if (i + 1 < n) *out++ = in[i + 1];
    out = Put(out, u"<sub>");
    if (i + 2 < n) *out++ = in[i + 2];
    out = Put(out, u"</sub>");
    if (i + 3 < n) *out++ = in[i + 3];
  }
  return result;
}

}  // namespace tavi
