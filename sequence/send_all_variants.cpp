// SendAllVariants, the fixed roster of seven variants, and the bound on runs nested in each other.
#include <cmath>

#include "sequence/sequence.h"
#include "styles/styles.h"

namespace tavi {

std::int32_t RoundToInt32(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::floor(floor / 2) != floor / 2)) rounded += 1.0;  // odd: up
  return static_cast<std::int32_t>(rounded);
}

VariantRoster MakeVariantRoster(Platform& platform) {
  auto fancy = [&platform](const WideString& text) { return FancyLetters(text, platform); };
  auto colours = [&platform](const WideString& text) { return ColorGroups(text, platform); };
  return {SpaceWithBullets, fancy, SpaceWithDashes, SpaceWithDots, colours, colours, SupSubWave};
}

void SendAllVariants(const TextSource& source, const VariantRoster& roster, const ChatPoster& poster,
                     const WaitOperation& wait, const StopCheck& stopped) {
  const auto stop = [&] { return stopped && stopped(); };
  const std::int32_t interval = RoundToInt32(kPostInterval);
  for (std::size_t k = 0; k < roster.size() && !stop(); ++k) {
    std::optional<WideString> line;
    // Read afresh: an edit made during an earlier wait shows from here on.
    // The text is let go before the post, which may need its memory.
    if (const std::optional<WideString> text = source()) line = roster[k](*text);
    // A style handles events too: the run may have been stopped meanwhile.
    if (stop()) return;
    // The poster gets the line itself: it is not used again here.
    if (line) poster(*line);
    if (k + 1 < roster.size()) wait(interval);
  }
}

bool RunsInProgress::TryStart(const std::function<void()>& run) {
  if (count_ >= kMost) return false;
  // Counted until the run returns, also when it does not return normally.
  struct Count {
    RunsInProgress& runs;
    explicit Count(RunsInProgress& r) : runs(r) { ++runs.count_; }
    ~Count() {
      --runs.count_;
      if (runs.stopped_ > runs.count_) runs.stopped_ = runs.count_;
    }
  } counted(*this);
  run();
  return true;
}

}  // namespace tavi
