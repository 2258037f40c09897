// The decorative text styles: each turns a line into a new, decorated line.
#pragma once

#include "platform/platform.h"

namespace tavi {

// Follows every character with `separator` and ends with one more, so the
// result has 2n + 1 code units and always ends in two separators.
WideString SpaceWithSeparator(const WideString& text, char16_t separator);
WideString SpaceWithBullets(const WideString& text);  // U+2022
WideString SpaceWithDashes(const WideString& text);
WideString SpaceWithDots(const WideString& text);

// Accented look-alikes, ae/AE/oe/OE ligatures and bold vowels. Keeps the
// window alive by processing pending events twice per character.
WideString FancyLetters(const WideString& text, Platform& platform);

// Groups of three characters, each group in one random palette colour:
// 71 * ceil(n / 3) + n code units.
WideString ColorGroups(const WideString& text, Platform& platform);

// Superscript, plain, subscript, plain for every four characters:
// 22 * ceil(n / 4) + n code units.
WideString SupSubWave(const WideString& text);

}  // namespace tavi
