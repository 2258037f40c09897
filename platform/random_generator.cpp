// SplitMix64 steps with clock mixing, for the colour draws.
#include "platform/random_generator.h"

#include <cstring>

namespace tavi {

std::uint64_t RandomGenerator::Next() {
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

void RandomGenerator::Reseed(double timeOfDay) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &timeOfDay, sizeof bits);
  state_ ^= bits * 0xD1B54A32D192ED03ULL;
  Next();
}

float RandomGenerator::Draw() {
  constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
  return static_cast<float>(Next() >> 40) * kTwoToMinus24;
}

}  // namespace tavi
