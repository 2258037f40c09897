// Functions that not every Windows has, found at run time: GetProcAddress decides, not the version
// number (a compatibility mode may report an older Windows than it is).
#pragma once

#include <windows.h>

namespace tavi {

// `function` set to `name` of `module`, or null where either is missing.
template <class Function>
void LookUp(Function& function, HMODULE module, const char* name) {
  const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
  function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace tavi
