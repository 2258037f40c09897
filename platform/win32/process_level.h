// Whether another program runs above tavi, where Windows (Vista on) keeps tavi from typing into it.
#pragma once

#include <windows.h>

namespace tavi {

// Whether `window`'s program runs at a higher integrity level than this process (elevated, as
// administrator, where this one is not). False before Vista, and where a level cannot be read.
bool RunsAboveThisProcess(HWND window);

}  // namespace tavi
