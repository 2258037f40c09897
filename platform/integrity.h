// Whether Windows keeps tavi from typing into another program: the decision on two integrity levels.
#pragma once

#include <cstdint>
#include <optional>

namespace tavi {

// Windows (Vista on) drops the messages a program sends to one at a higher integrity level (an
// elevated program, run as administrator). A level that cannot be read (before Vista there are
// none; another user's program may not be looked into) blocks nothing that tavi can tell.
constexpr bool RunsAtAHigherLevel(std::optional<std::uint32_t> host, std::optional<std::uint32_t> own) {
  return host && own && *host > *own;
}

}  // namespace tavi
