// Whether Windows keeps tavi from typing into another program: the decision on what tavi can read of it.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace tavi {

// Windows (Vista on) drops the messages a program sends to one at a higher integrity level (an
// elevated program, run as administrator). A process tavi may not open for the least query (another
// user's, or an elevated one where tavi's own rights do not reach) may be such a program. A level
// that cannot be read blocks nothing that tavi can tell.
constexpr HostAccess AccessFrom(bool opened, std::optional<std::uint32_t> host, std::optional<std::uint32_t> own) {
  if (!opened) return HostAccess::kClosed;
  return host && own && *host > *own ? HostAccess::kAbove : HostAccess::kOpen;
}

}  // namespace tavi
