// A plain terminate handler: a window program has no console to print a demangled
// exception name to, and the default handler's demangler is a quarter of the exe.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
