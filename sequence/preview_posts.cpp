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
  std::optional<WideString> FromAnsi(const AnsiString&) override { return std::nullopt; }
  WindowHandle FindWindowA(const AnsiString&) override { return 0; }
  WindowHandle FindWindowExA(WindowHandle, WindowHandle, const AnsiString&) override { return 0; }
  WideString WindowCaption(WindowHandle) override { return {}; }
  HostAccess AccessTo(WindowHandle) override { return HostAccess::kOpen; }
  bool LastLines(WindowHandle, std::size_t, std::vector<ControlLine>&) override { return false; }
  bool SendMessageA(WindowHandle, unsigned, std::uintptr_t, const char*) override { return false; }
  bool SetWindowPos(WindowHandle, WindowHandle, int, int, int, int, unsigned) override { return false; }
  [[noreturn]] void EndProcess() override {
    for (;;) p_.EndProcess();  // it does not return
  }

 private:
  Platform& p_;
};

bool HighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool LowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool PairAt(const WideString& text, std::size_t i) {
  return i + 1 < text.size() && HighSurrogate(text[i]) && LowSurrogate(text[i + 1]);
}

// `text` as it arrives: converted to the code page as a post is, and back into `out`, with a mark a
// unit (`changed`) where it arrives otherwise than typed; the count of characters that do, and
// (into `how`, where given) whether as "?" or as look-alikes. The code pages turn each character
// into one (itself, a best fit or "?"); a surrogate pair may come back as one "?".
std::size_t Arrive(const WideString& text, Platform& platform, WideString& out, WideString& changed,
                   Conversion* how = nullptr) {
  const std::optional<AnsiString> ansi = platform.ToAnsi(text);
  const std::optional<WideString> back = ansi ? platform.FromAnsi(*ansi) : std::nullopt;
  out = back ? *back : text;
  changed = out;
  const bool unitForUnit = out.size() == text.size();
  std::size_t count = 0;
  for (std::size_t i = 0, j = 0; j < out.size(); i += PairAt(text, i) ? 2 : 1) {
    const std::size_t m =
        std::min<std::size_t>(out.size() - j, unitForUnit || out[j] != u'?' ? (PairAt(text, i) ? 2 : 1) : 1);
    bool otherwise = i >= text.size();
    for (std::size_t k = 0; k < m && !otherwise; ++k) otherwise = out[j + k] != text[i + k];
    if (otherwise && how) (out[j] == u'?' ? how->asQuestionMark : how->asLookAlike) = true;
    count += otherwise;
    for (std::size_t k = 0; k < m; ++k) changed[j++] = otherwise;
  }
  return count;
}

}  // namespace

Conversion PreviewPosts(const WideString& text, Platform& platform, PreviewedPosts& posts) {
  HeldEventsPlatform held(platform);
  const VariantRoster roster = MakeVariantRoster(held);
  // A long text is cut, never inside a surrogate pair.
  std::size_t length = std::min(text.size(), kPreviewLength);
  if (length < text.size() && HighSurrogate(text[length - 1])) --length;
  const WideString shown(text.data(), length);
  Conversion conversion;
  WideString arrived;
  WideString changed;
  // How the message's own characters arrive, for the note.
  conversion.changed = Arrive(shown, platform, arrived, changed, &conversion);
  for (std::size_t k = 0; k < posts.size() && k < roster.size(); ++k) {
    const int drawsBefore = held.draws;
    const std::optional<WideString> line = roster[k](shown);
    std::size_t changedHere = 0;
    if (line) changedHere = Arrive(*line, platform, arrived, changed);
    posts[k].line = line ? ParseMarkup(arrived, changed) : MarkedLine();
    posts[k].drawnAnew = held.draws != drawsBefore;
    posts[k].cut = length < text.size();
    if (changedHere > 0 && conversion.changed == 0) conversion.inStyles = true;
  }
  return conversion;
}

WideString ConversionNote(const Conversion& conversion) {
  WideString note;
  if (conversion.changed == 0) {
    if (conversion.inStyles) AppendWords(note, "Marked characters arrive as ? or a look-alike");
    return note;
  }
  AppendNumber(note, conversion.changed);
  AppendWords(note, conversion.changed == 1 ? " character arrives as " : " characters arrive as ");
  AppendWords(note, conversion.asQuestionMark && conversion.asLookAlike ? "? or a look-alike"
                    : conversion.asQuestionMark                         ? "?"
                                                                        : "a look-alike");
  return note;
}

void AppendNumber(WideString& text, std::size_t n) {
  char16_t digits[24];
  std::size_t first = 24;
  do {
    digits[--first] = static_cast<char16_t>(u'0' + n % 10);
  } while (n /= 10);
  text.append(digits + first, digits + 24);
}

void AppendWords(WideString& text, const char* words) {
  while (*words) text += static_cast<unsigned char>(*words++);
}

}  // namespace tavi
