// PreviewPosts: the roster run over the message without posting, its window events held back.
#include "sequence/preview.h"
#include "sequence/sequence.h"

namespace tavi {

namespace {

// The platform as the styles see it while a preview is made: no window event is handled, and
// the random draws are counted.
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
  std::optional<AnsiString> ToAnsi(const WideString& text) override { return p_.ToAnsi(text); }
  WindowHandle FindWindowA(const AnsiString& className) override { return p_.FindWindowA(className); }
  WindowHandle FindWindowExA(WindowHandle parent, WindowHandle after, const AnsiString& className) override {
    return p_.FindWindowExA(parent, after, className);
  }
  WideString WindowCaption(WindowHandle window) override { return p_.WindowCaption(window); }
  bool RunsAboveUs(WindowHandle window) override { return p_.RunsAboveUs(window); }
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

std::vector<PreviewPost> PreviewPosts(const WideString& text, Platform& platform) {
  HeldEventsPlatform held(platform);
  const VariantRoster roster = MakeVariantRoster(held);
  // A long text is cut, never inside a surrogate pair.
  std::size_t length = std::min(text.size(), kPreviewLength);
  if (length < text.size() && length > 0 && HighSurrogate(text[length - 1])) --length;
  const WideString shown = text.substr(0, length);
  std::vector<PreviewPost> posts;
  for (const StyleOperation& style : roster) {
    PreviewPost post;
    const int drawsBefore = held.draws;
    if (const std::optional<WideString> line = style(shown)) post.line = ParseMarkup(*line);
    post.drawnAnew = held.draws != drawsBefore;
    post.cut = length < text.size();
    posts.push_back(std::move(post));
  }
  return posts;
}

}  // namespace tavi
