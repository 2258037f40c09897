// tavi.exe's entry point, in place of the toolchain's start-up code (which is Pentium Pro code and
// needs msvcrt.dll): the little a Windows program needs before its main, on every Windows from 95 on.
#include "app/start.h"

// The constructors of namespace-scope objects, as the linker gathers them:
// -1, then the constructors, then 0.
extern "C" void (*__CTOR_LIST__[])();  // NOLINT(bugprone-reserved-identifier): the linker's name

namespace {

void RunStaticConstructors() {
  std::size_t count = 0;
  while (__CTOR_LIST__[count + 1]) ++count;
  // Last to first: the order .ctors sections are laid out for.
  for (std::size_t i = count; i > 0; --i) __CTOR_LIST__[i]();
}

}  // namespace

// The PE entry point (the linker's -e). Windows calls it with the program's
// first thread; it never returns, it ends the process.
extern "C" [[noreturn]] void TaviStart() {
  // The x87 rounds doubles as doubles (53-bit precision, to nearest, every
  // exception masked), as programs of every Windows expect.
  const unsigned short x87Control = 0x027F;
  __asm__ volatile("fldcw %0" : : "m"(x87Control));
  RunStaticConstructors();
  // How the window is to be shown, as whoever started us asked.
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
  // Static destructors are never run: the program ends as the window's
  // close ends it, at once.
  ExitProcess(static_cast<UINT>(TaviMain(GetModuleHandleA(nullptr), show)));
}
