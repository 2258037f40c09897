// The unit tests' global operator new and delete, on malloc, with the limit of a HeapLimit.
#include "heap_limit.h"

#include <cstdlib>
#include <new>

namespace {
std::size_t limit = static_cast<std::size_t>(-1);

void* Allocate(std::size_t bytes) noexcept { return bytes > limit ? nullptr : std::malloc(bytes ? bytes : 1); }
void* AllocateOrThrow(std::size_t bytes) {
  if (void* p = Allocate(bytes)) return p;
  throw std::bad_alloc();
}
}  // namespace

namespace tavi::testing {
HeapLimit::HeapLimit(std::size_t bytes) { limit = bytes; }
HeapLimit::~HeapLimit() { limit = static_cast<std::size_t>(-1); }
}  // namespace tavi::testing

// The forms the code under test uses (the array forms stay the library's,
// which pair among themselves, also under AddressSanitizer).
void* operator new(std::size_t bytes) { return AllocateOrThrow(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return Allocate(bytes); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
