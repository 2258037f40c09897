// Whether another program runs above tavi, where Windows (Vista on) keeps tavi from typing into it.
#pragma once

#include <windows.h>

namespace tavi {

// Whether `window`'s program runs at a higher level than this process: elevated (as
// administrator) where this one is not, or one this process may not even look at. Always false
// before Vista, which has no levels.
bool RunsAboveThisProcess(HWND window);

}  // namespace tavi
