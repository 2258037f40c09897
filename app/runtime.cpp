// What tavi.exe's code needs of a C++ runtime, on kernel32 alone: tavi.exe links no C or C++ runtime
// library (theirs is Pentium Pro code, and msvcrt.dll is missing from Windows 95).
#include <windows.h>

#include <cstddef>
#include <new>

// Built with -fno-builtin: the compiler must not take these functions for
// its own built-ins (and turn their loops back into calls of themselves).

namespace {

// A failure that cannot happen in a working program: end it, with abort's
// exit code.
[[noreturn]] void Fail() { ExitProcess(3); }

}  // namespace

// The heap. Large texts are only made after the nothrow form found the room
// (platform/memory.h), so the throwing form fails only when not even a small
// block is left; without exceptions, that ends the program.
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  return HeapAlloc(GetProcessHeap(), 0, bytes ? bytes : 1);
}
void* operator new(std::size_t bytes) {
  void* block = operator new(bytes, std::nothrow);
  if (!block) Fail();
  return block;
}
void operator delete(void* block) noexcept {
  if (block) HeapFree(GetProcessHeap(), 0, block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
// Clang emits a call of the array forms in char_traits<char16_t>::move (its
// branch for constant evaluation, never taken at run time); GCC drops it.
void* operator new[](std::size_t bytes) { return operator new(bytes); }
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete[](void* block, std::size_t) noexcept { operator delete(block); }

namespace std {
const nothrow_t nothrow{};  // the tag of the nothrow operator new

// The standard library's templates report misuse and impossible sizes
// through these; tavi checks every size first, so they end the program.
// NOLINTBEGIN(bugprone-reserved-identifier): the library's own names
void __throw_bad_alloc() { Fail(); }
void __throw_bad_array_new_length() { Fail(); }
void __throw_bad_function_call() { Fail(); }
void __throw_length_error(const char*) { Fail(); }
void __throw_logic_error(const char*) { Fail(); }
void __throw_out_of_range_fmt(const char*, ...) { Fail(); }
// NOLINTEND(bugprone-reserved-identifier)
}  // namespace std

extern "C" {

// Static objects with destructors register them here. The process always
// ends through ExitProcess, so there is nothing to run them for.
int atexit(void (*)()) { return 0; }

// Copies and fills of a size known only at run time: GCC inlines them as
// string instructions, Clang calls these. Byte by byte, as the i486 does best
// without knowing the alignment.
void* memcpy(void* to, const void* from, std::size_t bytes) {
  auto* d = static_cast<unsigned char*>(to);
  const auto* s = static_cast<const unsigned char*>(from);
  for (std::size_t i = 0; i < bytes; ++i) d[i] = s[i];
  return to;
}
void* memmove(void* to, const void* from, std::size_t bytes) {
  auto* d = static_cast<unsigned char*>(to);
  const auto* s = static_cast<const unsigned char*>(from);
  if (d < s) return memcpy(to, from, bytes);
  for (std::size_t i = bytes; i > 0; --i) d[i - 1] = s[i - 1];  // from the end: the ranges may overlap
  return to;
}
void* memset(void* to, int value, std::size_t bytes) {
  auto* d = static_cast<unsigned char*>(to);
  for (std::size_t i = 0; i < bytes; ++i) d[i] = static_cast<unsigned char>(value);
  return to;
}

// Comparisons of a size known only at run time, which Clang calls when it optimizes for size.
int memcmp(const void* a, const void* b, std::size_t bytes) {
  const auto* x = static_cast<const unsigned char*>(a);
  const auto* y = static_cast<const unsigned char*>(b);
  for (std::size_t i = 0; i < bytes; ++i)
    if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
  return 0;
}

// For std::char_traits<char>::length, in the strings' constructors.
std::size_t strlen(const char* text) {
  std::size_t n = 0;
  while (text[n]) ++n;
  return n;
}

// The rounding of the wait's start (std::floor); exact for every double.
double floor(double x) {
  // Beyond 2^52 every double is whole; NaN and infinities stay as they are.
  if (!(x > -4503599627370496.0 && x < 4503599627370496.0)) return x;
  const double whole = static_cast<double>(static_cast<long long>(x));  // towards zero
  if (whole == x) return x;                                             // keeps -0.0
  return whole > x ? whole - 1.0 : whole;
}

}  // extern "C"
