// The chat's markup (b, sup, sub, pre, font colour) read into runs of formatted text, as a room
// shows a posted line.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace tavi {

struct FormattedRun {
  WideString text;
  bool bold = false;
  bool superscript = false;
  bool subscript = false;
  bool preformatted = false;  // inside <pre>: a fixed-pitch font
  bool hasColour = false;
  std::uint32_t colour = 0;  // 0x00BBGGRR
  bool operator==(const FormattedRun&) const = default;
};

// Understands <b>, <sup>, <sub>, <pre>, <font color=#rrggbb> (the colour quoted or not) and their
// closing tags, in any case; a tag left open holds to the end of the line. Anything else in angle
// brackets, and a "<" or ">" of the text itself, is text. Runs of no text are left out.
std::vector<FormattedRun> ParseMarkup(const WideString& line);

// The runs' text without the markup.
WideString PlainText(const std::vector<FormattedRun>& runs);

}  // namespace tavi
