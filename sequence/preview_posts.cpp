// PreviewPosts: the roster run over the message without posting, its window events held back.
#include <algorithm>

#include "sequence/preview.h"
#include "sequence/sequence.h"

namespace tavi {

namespace {

// The platform as the styles see it while a preview is made: their window events held back (no
// event is handled), their random draws counted. They ask nothing else of it.
class HeldEventsPlatform final : public Platform {
 public:
  explicit HeldEventsPlatform(Platform& platform) : p_(platform) {}
  int draws = 0;

  bool ProcessPendingEvents() override { return false; }
  bool EventsPending() override { return false; }
  bool WaitForEventOrTimeout(double) override { return true; }
  void Pause(double) override {}
  double TimeOfDay() override { return p_.TimeOfDay(); }
  void ReseedFromClock() override { p_.ReseedFromClock(); }
  float DrawRandom() override {
    ++draws;
    return p_.DrawRandom();
  }
  std::optional<AnsiString> ToAnsi(const WideString&) override { return std::nullopt; }
  WindowHandle FindWindowA(const AnsiString&) override { return 0; }
  WindowHandle FindWindowExA(WindowHandle, WindowHandle, const AnsiString&) override { return 0; }
  WideString WindowCaption(WindowHandle) override { return {}; }
  bool RunsAboveUs(WindowHandle) override { return false; }
  bool SendMessageA(WindowHandle, unsigned, std::uintptr_t, const char*) override { return false; }
  bool SetWindowPos(WindowHandle, WindowHandle, int, int, int, int, unsigned) override { return false; }
  [[noreturn]] void EndProcess() override {
    for (;;) p_.EndProcess();  // it does not return
  }

 private:
  Platform& p_;
};

bool HighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

void PreviewPosts(const WideString& text, Platform& platform, PreviewedPosts& posts) {
  HeldEventsPlatform held(platform);
  const VariantRoster roster = MakeVariantRoster(held);
  // A long text is cut, never inside a surrogate pair.
  std::size_t length = std::min(text.size(), kPreviewLength);
  if (length < text.size() && HighSurrogate(text[length - 1])) --length;
  const WideString shown(text.data(), length);
  for (std::size_t k = 0; k < posts.size() && k < roster.size(); ++k) {
    const int drawsBefore = held.draws;
    const std::optional<WideString> line = roster[k](shown);
    posts[k].line = line ? ParseMarkup(*line) : MarkedLine();
    posts[k].drawnAnew = held.draws != drawsBefore;
    posts[k].cut = length < text.size();
  }
}

}  // namespace tavi
