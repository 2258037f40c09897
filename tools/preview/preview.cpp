// Console preview: prints the seven variants of a line, one per line, in roster order, after a first
// line that says they are the raw markup tavi sends.
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
  std::optional<tavi::WideString> FromAnsi(const tavi::AnsiString&) override { return std::nullopt; }
  tavi::WindowHandle FindWindowA(const tavi::AnsiString&) override { return 0; }
  tavi::WindowHandle FindWindowExA(tavi::WindowHandle, tavi::WindowHandle, const tavi::AnsiString&) override {
    return 0;
  }
  WideString WindowCaption(tavi::WindowHandle) override { return {}; }
  tavi::HostAccess AccessTo(tavi::WindowHandle) override { return tavi::HostAccess::kOpen; }
  bool LastLines(tavi::WindowHandle, std::size_t, std::vector<tavi::ControlLine>&) override { return false; }
  bool SendMessageA(tavi::WindowHandle, unsigned, std::uintptr_t, const char*) override { return false; }
  bool SetWindowPos(tavi::WindowHandle, tavi::WindowHandle, int, int, int, int, unsigned) override { return false; }
  [[noreturn]] void EndProcess() override { std::exit(0); }

 private:
  tavi::RandomGenerator generator_;
};

// UTF-8 read into UTF-16; a byte sequence that is not UTF-8 becomes U+FFFD and sets `bad`.
WideString FromUtf8(const std::string& in, bool& bad) {
  WideString out;
  for (std::size_t i = 0; i < in.size();) {
    const unsigned char b = static_cast<unsigned char>(in[i]);
    const int extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 ? 1 : b < 0x80 ? 0 : -1;
    char32_t cp = extra < 0 ? 0xFFFD : extra == 0 ? b : b & (0x3F >> extra);
    int k = 1;
    for (; k <= extra && i + k < in.size() && (static_cast<unsigned char>(in[i + k]) & 0xC0) == 0x80; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(in[i + k]) & 0x3F);
    if (extra < 0 || k <= extra || (cp >= 0xD800 && cp < 0xE000) || cp > 0x10FFFF) {
      bad = true;
      cp = 0xFFFD;
      k = extra < 0 ? 1 : k;
    }
    i += static_cast<std::size_t>(k);
    if (cp >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

// UTF-16 written as UTF-8; a lone surrogate (a style put a separator inside a character pair)
// becomes U+FFFD and sets `lone`.
std::string ToUtf8(const WideString& in, bool& lone) {
  std::string out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    char32_t cp = in[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (in[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
      lone = true;
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
  bool bad = false;
  const WideString text = FromUtf8(message, bad);
  if (bad) std::fprintf(stderr, "preview: the message is not all UTF-8; what is not shows as U+FFFD\n");
  std::printf(
      "The seven posts as tavi sends them, in the chat's raw markup (the room shows <b>, <sup>, <sub>,"
      " <pre> and <font> as formatting):\n");
  int line = 0;
  for (const tavi::StyleOperation& style : tavi::MakeVariantRoster(platform)) {
    ++line;
    const std::optional<WideString> styled = style(text);
    bool lone = false;
    std::printf("%s\n", styled ? ToUtf8(*styled, lone).c_str() : "(too long for the memory left)");
    if (lone) {
      std::fflush(stdout);
      std::fprintf(stderr, "preview: line %d splits a character pair (as the style does); the halves show as U+FFFD\n",
                   line);
    }
  }
  return 0;
}
