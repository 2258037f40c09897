// The seven posts of a click as the room would show them, for the preview: styled, but not posted.
#pragma once

#include <array>

#include "markup/markup.h"
#include "platform/platform.h"

namespace tavi {

struct PreviewPost {
  MarkedLine line;         // as the room shows the post
  bool drawnAnew = false;  // its style draws (colours): another post of it looks otherwise
  bool cut = false;        // the text was longer than a preview shows: the end is left out
};

// How much of the message a preview styles: far more than a screen's width of any style.
inline constexpr std::size_t kPreviewLength = 2048;

// The seven posts of a click, in roster order.
using PreviewedPosts = std::array<PreviewPost, 7>;

// The posts a click would make of `text`, styled by the very styles a run posts with, into
// `posts`. No window event is handled meanwhile (a run handles them in the fancy letters).
void PreviewPosts(const WideString& text, Platform& platform, PreviewedPosts& posts);

}  // namespace tavi
