// The game's random numbers: a Mersenne Twister seeded once from the clock (or from the
// environment variable MORVATH_SEED, for reproducible play-tests).
#pragma once

#include <cstdint>
#include <random>

#include "core/ports.h"

namespace morvath {

class ClockRandom : public Random {
 public:
  ClockRandom();
  explicit ClockRandom(std::uint64_t seed) : engine_(seed) {}
  double next() override;

 private:
  std::mt19937_64 engine_;
  std::uniform_real_distribution<double> uniform_{0.0, 1.0};
};

}  // namespace morvath
