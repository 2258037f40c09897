// The chat's markup (b, sup, sub, pre, font colour) read into runs of formatted text, as a room
// shows a posted line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace tavi {

// How a run of text looks.
struct Look {
  bool bold = false;
  bool superscript = false;
  bool subscript = false;
  bool preformatted = false;  // inside <pre>: a fixed-pitch font
  bool hasColour = false;
  std::uint32_t colour = 0;  // 0x00BBGGRR
  bool operator==(const Look&) const = default;
};

// The units [begin, end) of a line's plain text, and their look.
struct FormattedRun {
  std::size_t begin = 0, end = 0;
  Look look;
};

// A line as the room shows it: its text without the markup, in runs of one look each.
struct MarkedLine {
  WideString plain;
  std::vector<FormattedRun> runs;
  // A mark per unit of `plain`: 1 where it arrives otherwise than typed, 0 where as typed (empty:
  // every unit as typed). Held as text is, so that one string code serves both.
  WideString changed;
};

// Understands <b>, <sup>, <sub>, <pre>, <font color=#rrggbb> (the colour quoted or not) and their
// closing tags, in any case; a tag left open holds to the end of the line, and a tag that changes
// nothing goes on with the same run. Anything else in angle brackets, a "<" that another "<"
// follows before its ">", and a "<" or ">" of the text itself, is text. `changed`, when it has a mark
// for every unit of `line`, marks units that MarkedLine::changed carries to the plain text.
// Time grows linearly with the line's length.
MarkedLine ParseMarkup(const WideString& line, const WideString& changed = {});

}  // namespace tavi
