// SendAllVariants and the fixed roster of seven variants.
#include <cmath>
#include <new>

#include "sequence/sequence.h"
#include "styles/styles.h"

namespace tavi {

std::int32_t RoundToInt32(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded += 1.0;
  return static_cast<std::int32_t>(rounded);
}

VariantRoster MakeVariantRoster(Platform& platform) {
  auto fancy = [&platform](const WideString& text) { return FancyLetters(text, platform); };
  auto colours = [&platform](const WideString& text) { return ColorGroups(text, platform); };
  return {SpaceWithBullets, fancy, SpaceWithDashes, SpaceWithDots, colours, colours, SupSubWave};
}

void SendAllVariants(const TextSource& source, const VariantRoster& roster,
                     const ChatPoster& poster, const WaitOperation& wait) {
  const std::int32_t interval = RoundToInt32(kPostInterval);
  for (std::size_t k = 0; k < roster.size(); ++k) {
    try {
      // Read afresh: an edit made during an earlier wait shows from here on.
      const WideString text = source();
      WideString line = roster[k](text);
      poster(line);
    } catch (const std::bad_alloc&) {
      // A line too long for the memory left is not posted; the run goes on.
    }
    if (k + 1 < roster.size()) wait(interval);
  }
}

}  // namespace tavi
