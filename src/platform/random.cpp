#include "platform/random.h"

#include "platform/clock.h"

namespace plat {

namespace {

uint32_t seed = 0;

}  // namespace

uint32_t RandSeed() { return seed; }

void SetRandSeed(uint32_t value) { seed = value; }

void Randomize() { seed = static_cast<uint32_t>(GetClock().WallClockSeed()); }

uint32_t Random(uint32_t n) {
  seed = seed * 134775813u + 1u;
  return static_cast<uint32_t>((static_cast<uint64_t>(seed) * n) >> 32);
}

}  // namespace plat
