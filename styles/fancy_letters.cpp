// Fancy letters: accented look-alikes, ligatures and bold vowels.
#include <array>

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

struct Letter {
  char16_t from;
  char16_t to;
  bool bold;  // lower-case vowels: the accented letter in bold tags
};

constexpr Letter kLetters[] = {
    {u'A', u'\u00C5', false}, {u'B', u'\u00DF', false}, {u'C', u'\u00C7', false}, {u'D', u'\u00D0', false},
    {u'E', u'\u00CA', false}, {u'H', u'h', false},      {u'N', u'\u00D1', false}, {u'O', u'\u00D8', false},
    {u'U', u'\u00DA', false}, {u'V', u'v', false},      {u'W', u'w', false},      {u'Y', u'\u00A5', false},
    {u'a', u'\u00E1', true},  {u'e', u'\u00EB', true},  {u'i', u'\u00EE', true},  {u'n', u'\u00F1', false},
    {u'o', u'\u00F8', true},  {u'u', u'\u00FA', true},  {u'y', u'\u00FD', true},  {u'?', u'\u00BF', false},
    {u'<', u'\u00AB', false}, {u'>', u'\u00BB', false}, {u'*', u'\u00A4', false},
};

// The letter table spread over the ASCII range for direct lookup, each
// replacement with its bold mark in the top bit (every replacement is below
// U+8000); every character not listed passes unchanged.
struct LetterTable {
  static constexpr char16_t kBold = 0x8000;
  std::array<char16_t, 128> ascii{};
  constexpr LetterTable() {
    for (char16_t c = 0; c < 128; ++c) ascii[c] = c;
    for (const Letter& letter : kLetters) ascii[letter.from] = letter.to | (letter.bold ? kBold : 0);
  }
  constexpr Letter operator[](char16_t c) const {
    if (c >= 128) return {c, c, false};
    return {c, static_cast<char16_t>(ascii[c] & ~kBold), (ascii[c] & kBold) != 0};
  }
};
constexpr LetterTable kTable;

constexpr std::size_t kBoldLength = 8;  // <b>x</b>

const Ligature* LigatureAt(const char16_t* text, std::size_t index, std::size_t n) {
  // Every pair ends in e or E: most positions are ruled out by one test.
  if (index + 1 >= n || (text[index + 1] | 0x20) != u'e') return nullptr;
  for (const Ligature& ligature : kLigatures) {
    if (text[index] == ligature.first && text[index + 1] == ligature.second) return &ligature;
  }
  return nullptr;
}

// The exact length of the result, so it is allocated once.
std::size_t FancyLength(const char16_t* text, std::size_t n) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (LigatureAt(text, i, n)) {
      ++length;
      ++i;  // the ligature's second letter is swallowed
    } else {
      length += kTable[text[i]].bold ? kBoldLength : 1;
    }
  }
  return length;
}

}  // namespace

std::optional<WideString> FancyLetters(const WideString& text, Platform& platform) {
  const std::size_t n = text.size();
  const char16_t* in = text.data();
  // The exact length, counted once the longest possible result is known to
  // fit in a size_t; the loop below writes every unit of it.
  WideString result;
  if (!FancyLettersBound(n) || !TryWrite(result, FancyLength(in, n), [](char16_t*) {})) return std::nullopt;
  char16_t* out = result.data();
  int skipCount = 0;
  // Positions 1 .. n + 1: the last turn reads past the end and adds nothing,
  // but still gives the window its two chances to handle events.
  for (std::size_t pos = 1; pos <= n + 1; ++pos) {
    platform.ProcessPendingEvents();
    const std::size_t index = pos - 1;
    if (const Ligature* ligature = LigatureAt(in, index, n)) {
      *out++ = ligature->replacement;
      skipCount = 2;
    } else if (skipCount <= 0 && index < n) {
      const Letter letter = kTable[in[index]];
      if (letter.bold) {
        *out++ = u'<', *out++ = u'b', *out++ = u'>';
        *out++ = letter.to;
        *out++ = u'<', *out++ = u'/', *out++ = u'b', *out++ = u'>';
      } else {
        *out++ = letter.to;
      }
    }
    // A ligature's second letter is swallowed on the next turn.
    if (skipCount > 0) --skipCount;
    platform.ProcessPendingEvents();
  }
  return result;
}

}  // namespace tavi
