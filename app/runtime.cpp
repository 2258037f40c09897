// What tavi.exe needs of the C++ runtime beyond its defaults: a plain terminate handler, and the
// runtime's one wide-character call to Windows made in its ANSI form, which Windows 95/98/Me implement.
#include <windows.h>

#include <cstdlib>

// A window program has no console to print a demangled exception name to,
// and the default handler's demangler is a quarter of the exe.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

// The runtime's locks only ever ask for unnamed semaphores.
HANDLE WINAPI CreateUnnamedSemaphore(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name) {
  if (name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateSemaphoreA(security, initial, maximum, nullptr);
}

}  // namespace

// The runtime calls CreateSemaphoreW through this import slot. Filled here,
// the link takes it instead of the import from kernel32, whose wide form is
// a stub that fails on Windows 9x.
extern "C" {
extern HANDLE(WINAPI* const kCreateSemaphoreW)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR) __asm__(
    "__imp__CreateSemaphoreW@16");
HANDLE(WINAPI* const kCreateSemaphoreW)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR) = CreateUnnamedSemaphore;
}
