// Texts that may be huge: their sizes counted without wrapping, and made only where the heap has room.
#pragma once

#include <algorithm>
#include <cstddef>
#include <new>
#include <optional>
#include <type_traits>

namespace tavi {

// a * b + c in Size, or nothing where the result does not fit. (tavi.exe's
// size_t has 32 bits: a long paste is within reach of the wrap.)
template <class Size>
constexpr std::optional<Size> MulAdd(Size a, Size b, Size c) {
  Size result = 0;
  if (__builtin_mul_overflow(a, b, &result) || __builtin_add_overflow(result, c, &result)) return std::nullopt;
  return result;
}

// ceil(n / d) without the wrap of (n + d - 1) / d.
template <class Size>
constexpr Size Groups(Size n, Size d) {
  return n / d + (n % d != 0);
}

// Makes `text` `length` units long and has `write` fill all of them (it is
// given the first), where the memory is there; otherwise leaves `text` as it
// was and returns false. A `write` that returns a count filled only that many:
// the text keeps as many (at most `length`). Nothing here throws, so a text
// too long for the memory left costs its variant, not the program.
template <class String, class Writer>
bool TryWrite(String& text, std::size_t length, Writer&& write) {
  using Unit = typename String::value_type;
  if (length > text.max_size()) return false;
  if (length > text.capacity()) {
    // Ask the heap for as much as the string will (it grows to at least
    // twice its capacity, and keeps a unit for the terminating NUL) and give
    // it straight back: on this one thread the string's own request then
    // finds the same room.
    const std::size_t units = std::max(length, std::min(2 * text.capacity(), text.max_size())) + 1;
    void* room = ::operator new(units * sizeof(Unit), std::nothrow);
    if (!room) return false;
    ::operator delete(room);
  }
  text.resize_and_overwrite(length, [&](Unit* out, std::size_t) -> std::size_t {
    if constexpr (std::is_void_v<decltype(write(out))>) {
      write(out);
      return length;
    } else {
      return std::min<std::size_t>(length, write(out));
    }
  });
  return true;
}

}  // namespace tavi
