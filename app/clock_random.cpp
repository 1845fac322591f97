#include "app/clock_random.h"

#include <chrono>
#include <cstdlib>

namespace morvath {
namespace {

std::uint64_t Seed() {
  if (const char* text = std::getenv("MORVATH_SEED")) return std::strtoull(text, nullptr, 10);
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

ClockRandom::ClockRandom() : engine_(Seed()) {}

double ClockRandom::next() {
  double r = uniform_(engine_);
  // uniform_real_distribution may round up to 1.0 on rare draws; the game needs [0, 1).
  return r < 1.0 ? r : 0.0;
}

}  // namespace morvath
