// A platform for fuzzing whose clock, draws and events come from the fuzzer's bytes.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>

#include "platform/platform.h"

namespace tavi::fuzz {

// Reads values from the fuzzer's input; zeros once it runs out.
class ByteSource {
 public:
  ByteSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return pos_ >= size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::uint16_t Unit() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
  float Float() {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

struct ProcessEnded {};

class FuzzPlatform : public Platform {
 public:
  explicit FuzzPlatform(ByteSource& bytes) : bytes_(bytes) {}

  std::function<void()> onEvents;  // called from ProcessPendingEvents
  long processCalls = 0;
  double clock = 0;  // seconds since midnight, as TimeOfDay reports it

  bool ProcessPendingEvents() override {
    ++processCalls;
    if (onEvents) onEvents();
    return bytes_.Byte() & 1;
  }
  bool EventsPending() override { return bytes_.Byte() == 1; }
  // Time passes: all of it, or as much as the fuzzer says when an event comes
  // early. Like a real timer, a full wait lasts at least a millisecond. Now
  // and then the wait fails at once.
  bool WaitForEventOrTimeout(double seconds) override {
    const std::uint8_t b = bytes_.Byte();
    if (b == 127) return false;
    Advance(b < 128 ? std::max(seconds, 0.001) : seconds * (b - 128) / 128.0);
    return true;
  }
  void Pause(double seconds) override { Advance(seconds); }
  double TimeOfDay() override {
    // Now and then the clock steps back a little or jumps.
    const std::uint8_t b = bytes_.Byte();
    if (b == 0xFF) Advance(-static_cast<double>(bytes_.Byte()) / 16.0);
    if (b == 0xFE) Advance(static_cast<double>(bytes_.Byte()) * 60.0);
    return clock;
  }
  void ReseedFromClock() override {}
  float DrawRandom() override { return bytes_.Float(); }
  std::optional<AnsiString> ToAnsi(const WideString& text) override { return AnsiString(text.size(), '?'); }
  std::optional<WideString> FromAnsi(const AnsiString& text) override { return WideString(text.begin(), text.end()); }
  WindowHandle FindWindowA(const AnsiString&) override { return 0; }
  WindowHandle FindWindowExA(WindowHandle, WindowHandle, const AnsiString&) override { return 0; }
  WideString WindowCaption(WindowHandle) override { return {}; }
  HostAccess AccessTo(WindowHandle) override { return HostAccess::kOpen; }
  bool LastLines(WindowHandle, std::size_t, std::vector<ControlLine>&) override { return false; }
  bool SendMessageA(WindowHandle, unsigned, std::uintptr_t, const char*) override { return false; }
  bool SetWindowPos(WindowHandle, WindowHandle, int, int, int, int, unsigned) override { return false; }
  [[noreturn]] void EndProcess() override { throw ProcessEnded{}; }

  void Advance(double seconds) {
    if (!std::isfinite(seconds)) return;
    clock = std::fmod(clock + seconds + 86400.0, 86400.0);
  }

 private:
  ByteSource& bytes_;
};

}  // namespace tavi::fuzz
