// The seven posts of a click as the room would show them, for the preview: styled, but not posted.
#pragma once

#include <array>

#include "markup/markup.h"
#include "platform/platform.h"

namespace tavi {

struct PreviewPost {
  // As the room shows the post: after the code page's conversion, the very one a post makes, and
  // back; `line.changed` marks the units that arrive otherwise than typed.
  MarkedLine line;
  bool drawnAnew = false;  // its style draws (colours): another post of it looks otherwise
  bool cut = false;        // the text was longer than a preview shows: the end is left out
};

// How much of the message a preview styles: far more than a screen's width of any style.
inline constexpr std::size_t kPreviewLength = 2048;

// The seven posts of a click, in roster order.
using PreviewedPosts = std::array<PreviewPost, 7>;

// What the code page's conversion does to the posts: how many characters of the message do not
// arrive as typed, whether they arrive as "?" or as look-alikes (best fit), and whether characters
// the styles add do not either (the bullets on a Japanese system).
struct Conversion {
  std::size_t changed = 0;
  bool asQuestionMark = false;
  bool asLookAlike = false;
  bool inStyles = false;
};

// The posts a click would make of `text`, styled by the very styles a run posts with and
// converted as a post is, into `posts`. No window event is handled meanwhile (a run handles them
// in the fancy letters).
Conversion PreviewPosts(const WideString& text, Platform& platform, PreviewedPosts& posts);

// The preview's note on the conversion ("2 characters arrive as ?"); empty where all arrive.
WideString ConversionNote(const Conversion& conversion);

// `n` in decimal digits after `text`, for the notes.
void AppendNumber(WideString& text, std::size_t n);
// `words` after `text`: tavi's own words, kept in Latin-1 (one byte a character, « and » too) and
// widened here.
void AppendWords(WideString& text, const char* words);

}  // namespace tavi
