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

// Windows' own `name` (such as "\\SHCORE.DLL", at most 15 characters), loaded from the system
// folder only: one found elsewhere on the search path is none of Windows'. Null where it is not there.
inline HMODULE LoadSystemLibrary(const char* name) {
  char path[MAX_PATH + 16];
  const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
  if (!folder || folder >= MAX_PATH) return nullptr;
  lstrcpyA(path + folder, name);
  return LoadLibraryA(path);
}

}  // namespace tavi
