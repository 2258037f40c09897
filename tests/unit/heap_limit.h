// A heap that refuses large blocks while a HeapLimit lives, for the out-of-memory tests.
#pragma once

#include <cstddef>

namespace tavi::testing {

// While this lives, every request for more than `bytes` fails: operator new's
// nothrow form returns nullptr, and the throwing form throws std::bad_alloc,
// which no code under test may ever let happen.
class HeapLimit {
 public:
  explicit HeapLimit(std::size_t bytes);
  ~HeapLimit();
};

}  // namespace tavi::testing
