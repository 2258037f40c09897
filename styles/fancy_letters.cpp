// Fancy letters: accented look-alikes, ligatures and bold vowels.
#include "styles/styles.h"

namespace tavi {
namespace {

struct Ligature {
  char16_t first;
  char16_t second;
  char16_t replacement;
};

// Tested in this order on the two characters at the current position.
constexpr Ligature kLigatures[] = {
    {u'a', u'e', u'\u00E6'},
    {u'A', u'E', u'\u00C6'},
    {u'o', u'e', u'\u0153'},
    {u'O', u'E', u'\u0152'},
};

// Lower-case vowels are written as an accented letter in bold tags.
char16_t BoldVowel(char16_t c) {
  switch (c) {
    case u'a': return u'\u00E1';
    case u'e': return u'\u00EB';
    case u'i': return u'\u00EE';
    case u'o': return u'\u00F8';
    case u'u': return u'\u00FA';
    case u'y': return u'\u00FD';
    default: return 0;
  }
}

char16_t LookAlike(char16_t c) {
  switch (c) {
    case u'A': return u'\u00C5';
    case u'B': return u'\u00DF';
    case u'C': return u'\u00C7';
    case u'D': return u'\u00D0';
    case u'E': return u'\u00CA';
    case u'H': return u'h';
    case u'N': return u'\u00D1';
    case u'O': return u'\u00D8';
    case u'U': return u'\u00DA';
    case u'V': return u'v';
    case u'W': return u'w';
    case u'Y': return u'\u00A5';
    case u'n': return u'\u00F1';
    case u'?': return u'\u00BF';
    case u'<': return u'\u00AB';
    case u'>': return u'\u00BB';
    case u'*': return u'\u00A4';
    default: return c;
  }
}

void AppendLetter(WideString& result, char16_t c) {
  if (char16_t vowel = BoldVowel(c)) {
    result += u"<b>";
    result.push_back(vowel);
    result += u"</b>";
  } else {
    result.push_back(LookAlike(c));
  }
}

const Ligature* LigatureAt(const WideString& text, std::size_t index) {
  if (index + 1 >= text.size()) return nullptr;
  for (const Ligature& ligature : kLigatures) {
    if (text[index] == ligature.first && text[index + 1] == ligature.second) return &ligature;
  }
  return nullptr;
}

}  // namespace

WideString FancyLetters(const WideString& text, Platform& platform) {
  const std::size_t n = text.size();
  WideString result;
  result.reserve(8 * n);  // a bold vowel, the longest replacement, is 8 units
  int skipCount = 0;
  // Positions 1 .. n + 1: the last turn reads past the end and adds nothing,
  // but still gives the window its two chances to handle events.
  for (std::size_t pos = 1; pos <= n + 1; ++pos) {
    platform.ProcessPendingEvents();
    const std::size_t index = pos - 1;
    if (const Ligature* ligature = LigatureAt(text, index)) {
      result.push_back(ligature->replacement);
      skipCount = 2;
    } else if (skipCount <= 0 && index < n) {
      AppendLetter(result, text[index]);
    }
    // A ligature's second letter is swallowed on the next turn.
    if (skipCount > 0) --skipCount;
    platform.ProcessPendingEvents();
  }
  return result;
}

}  // namespace tavi
