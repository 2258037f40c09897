// Whether Windows lets tavi type into another program (Vista on, it may not).
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace tavi {

// Whether `window`'s program may be typed into: its process opened for the least query and its
// integrity level read (Vista on; before Vista it may be, and no Vista-only right is asked for).
HostAccess AccessToWindow(HWND window);

}  // namespace tavi
