// The decorative text styles: each turns a line into a new, decorated line.
#pragma once

#include <optional>

#include "platform/memory.h"
#include "platform/platform.h"

namespace tavi {

// Every style returns nothing, instead of a line, where its result would not
// fit in memory (or in a size_t).

// Follows every character with `separator` and ends with one more, so the
// result has 2n + 1 code units and always ends in two separators.
std::optional<WideString> SpaceWithSeparator(const WideString& text, char16_t separator);
std::optional<WideString> SpaceWithBullets(const WideString& text);  // U+2022
std::optional<WideString> SpaceWithDashes(const WideString& text);
std::optional<WideString> SpaceWithDots(const WideString& text);

// Accented look-alikes, ae/AE/oe/OE ligatures and bold vowels. Keeps the
// window alive by processing pending events twice per character.
std::optional<WideString> FancyLetters(const WideString& text, Platform& platform);

// Groups of three characters, each group in one random palette colour.
std::optional<WideString> ColorGroups(const WideString& text, Platform& platform);

// Superscript, plain, subscript, plain for every four characters.
std::optional<WideString> SupSubWave(const WideString& text);

// The styles' result lengths for a text of n code units, in the size type
// they are counted in; nothing where the length does not fit in it.
template <class Size>
constexpr std::optional<Size> SeparatorSpacingLength(Size n) {
  return MulAdd<Size>(n, 2, 1);
}
// FancyLetters' longest result: every unit a bold vowel, <b>x</b>.
template <class Size>
constexpr std::optional<Size> FancyLettersBound(Size n) {
  return MulAdd<Size>(n, 8, 0);
}
// Per group: three tags of 21 units with their colour, "><pre>", ">" and ">".
template <class Size>
constexpr std::optional<Size> ColorGroupsLength(Size n) {
  return MulAdd<Size>(Groups<Size>(n, 3), 71, n);
}
// Per group: <sup></sup><sub></sub>.
template <class Size>
constexpr std::optional<Size> SupSubWaveLength(Size n) {
  return MulAdd<Size>(Groups<Size>(n, 4), 22, n);
}

}  // namespace tavi
