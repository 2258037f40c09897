// A small pseudo-random generator whose reseeding mixes the clock into its state.
#pragma once

#include <cstdint>

namespace tavi {

class RandomGenerator {
 public:
  explicit RandomGenerator(std::uint64_t seed = 0x7461766921ULL) : state_(seed) {}

  // Mixes a clock reading into the state instead of replacing it, so two
  // reseeds within one clock tick still lead to different draws.
  void Reseed(double timeOfDay);
  // Next value r with 0 <= r < 1, built from 24 random bits so that the
  // conversion to float is exact and can never round up to 1.0.
  float Draw();

 private:
  std::uint64_t Next();
  std::uint64_t state_;
};

}  // namespace tavi
