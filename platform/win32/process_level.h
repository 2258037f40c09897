// Whether another program runs above tavi, where Windows (Vista on) keeps tavi from typing into it.
#pragma once

#include <windows.h>

namespace tavi {

// Whether `window`'s program runs at a higher integrity level than this process (as
// administrator, where this one does not), or is one this process may not even look at.
// Always false before Vista, which has no levels.
bool RunsAboveThisProcess(HWND window);

}  // namespace tavi
