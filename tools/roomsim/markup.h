// Reads the markup of a posted line into runs of formatted text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace roomsim {

struct Run {
  std::u16string text;
  bool bold = false;
  bool superscript = false;
  bool subscript = false;
  bool hasColour = false;
  std::uint32_t colour = 0;  // 0x00BBGGRR
};

// Understands <b>, <sup>, <sub>, <font color=...> and their closing tags
// (any case); <pre> is ignored. Anything else in angle brackets is text.
std::vector<Run> ParseMarkup(const std::u16string& line);

}  // namespace roomsim
