// Whether another program runs above tavi, where Windows (Vista on) keeps tavi from typing into it.
#pragma once

#include <windows.h>

namespace tavi {

// Whether `window`'s program runs at a higher level than this process (elevated, as administrator,
// where this one is not), or is one this process may not even look into (another user's). Always
// false before Vista for the same user's programs.
bool RunsAboveThisProcess(HWND window);

}  // namespace tavi
