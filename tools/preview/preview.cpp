// Console preview: prints the seven variants of a line, one per line, in roster order.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/random_generator.h"
#include "sequence/sequence.h"

namespace {

using tavi::WideString;

// Just enough platform for styling outside Windows: a clock and a generator.
class ConsolePlatform : public tavi::Platform {
 public:
  bool ProcessPendingEvents() override { return false; }
  bool EventsPending() override { return false; }
  bool WaitForEventOrTimeout(double) override { return true; }
  void Pause(double) override {}
  double TimeOfDay() override {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + ms / 1000.0;
  }
  void ReseedFromClock() override { generator_.Reseed(TimeOfDay()); }
  float DrawRandom() override { return generator_.Draw(); }
  std::optional<tavi::AnsiString> ToAnsi(const WideString&) override { return std::nullopt; }
  tavi::WindowHandle FindWindowA(const tavi::AnsiString&) override { return 0; }
  tavi::WindowHandle FindWindowExA(tavi::WindowHandle, tavi::WindowHandle, const tavi::AnsiString&) override {
    return 0;
  }
  WideString WindowCaption(tavi::WindowHandle) override { return {}; }
  bool RunsAboveUs(tavi::WindowHandle) override { return false; }
  bool SendMessageA(tavi::WindowHandle, unsigned, std::uintptr_t, const char*) override { return false; }
  bool SetWindowPos(tavi::WindowHandle, tavi::WindowHandle, int, int, int, int, unsigned) override { return false; }
  [[noreturn]] void EndProcess() override { std::exit(0); }

 private:
  tavi::RandomGenerator generator_;
};

WideString FromUtf8(const std::string& in) {
  WideString out;
  for (std::size_t i = 0; i < in.size();) {
    const unsigned char b = static_cast<unsigned char>(in[i]);
    const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < in.size(); ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(in[i + k]) & 0x3F);
    i += 1 + extra;
    if (cp >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string ToUtf8(const WideString& in) {
  std::string out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    char32_t cp = in[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (in[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string message = argc > 1 ? argv[1] : "<3333333333333333333";
  ConsolePlatform platform;
  const WideString text = FromUtf8(message);
  for (const tavi::StyleOperation& style : tavi::MakeVariantRoster(platform)) {
    const std::optional<WideString> line = style(text);
    std::printf("%s\n", line ? ToUtf8(*line).c_str() : "(too long for the memory left)");
  }
  return 0;
}
