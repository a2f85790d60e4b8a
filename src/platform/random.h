// The runtime's process-wide random generator: seed := seed * 134775813 + 1,
// a draw below n is the high half of seed * n.
#pragma once

#include <cstdint>

namespace plat {

uint32_t RandSeed();
void SetRandSeed(uint32_t seed);
// Seeds from GetClock().WallClockSeed(), cut to 32 bits.
void Randomize();
// 0 <= result < n; 0 for n == 0.
uint32_t Random(uint32_t n);

}  // namespace plat
