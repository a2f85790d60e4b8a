#include "platform/clock.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ManualClockTest, AdvanceTellsTheListenerSleepDoesNot) {
  plat::ManualClock clock(1000);
  std::vector<uint64_t> told;
  clock.SetAdvanceListener([&](uint64_t now) { told.push_back(now); });
  EXPECT_EQ(clock.NowMs(), 1000u);
  clock.Advance(20);
  clock.Sleep(500);
  clock.Sleep(300);
  EXPECT_EQ(clock.NowMs(), 1820u);
  clock.Advance(0);
  clock.Advance(180);
  EXPECT_EQ(told, (std::vector<uint64_t>{1020, 1820, 2000}));
  EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{500, 300}));
  clock.ClearSleeps();
  EXPECT_TRUE(clock.Sleeps().empty());
}

TEST(ManualClockTest, ListenerMayReplaceItself) {
  plat::ManualClock clock;
  int calls = 0;
  clock.SetAdvanceListener([&](uint64_t) {
    ++calls;
    clock.SetAdvanceListener(nullptr);
  });
  clock.Advance(1);
  clock.Advance(1);
  EXPECT_EQ(calls, 1);
}

TEST(ClockTest, SetClockSwapsAndRestores) {
  plat::Clock& real = plat::GetClock();
  plat::ManualClock manual(5);
  plat::SetClock(&manual);
  EXPECT_EQ(&plat::GetClock(), &manual);
  plat::GetClock().Sleep(200);  // no real wait
  EXPECT_EQ(manual.NowMs(), 205u);
  plat::SetClock(nullptr);
  EXPECT_EQ(&plat::GetClock(), &real);
  {
    plat::ScopedClock scoped(manual);
    EXPECT_EQ(&plat::GetClock(), &manual);
  }
  EXPECT_EQ(&plat::GetClock(), &real);
}

TEST(ClockTest, RealClockIsMonotonic) {
  plat::Clock& real = plat::GetClock();
  const uint64_t a = real.NowMs();
  const uint64_t b = real.NowMs();
  EXPECT_LE(a, b);
  EXPECT_GT(real.WallClockSeed(), 0u);
}

// seed' = seed * 134775813 + 1 (mod 2^32); draw = (seed' * n) >> 32.
TEST(RandomTest, KnownDraws) {
  struct Case {
    uint32_t seed;
    uint32_t n;
    uint32_t draw;
    uint32_t nextSeed;
  } const cases[] = {
      {0, 10, 0, 1},
      {1, 100, 3, 134775814},
      {12345, 1000, 385, 1655067934},
      {0xFFFFFFFFu, 1000, 968, 4160191484u},
      {0x80000000u, 2, 1, 2147483649u},
      {42, 1, 0, 1365616851},
      {7, 0xFFFFFFFFu, 943430691, 943430692},
  };
  for (const Case& c : cases) {
    plat::SetRandSeed(c.seed);
    EXPECT_EQ(plat::Random(c.n), c.draw) << "seed " << c.seed;
    EXPECT_EQ(plat::RandSeed(), c.nextSeed) << "seed " << c.seed;
  }
}

TEST(RandomTest, SequenceFromSeedZero) {
  plat::SetRandSeed(0);
  std::vector<uint32_t> draws;
  for (int i = 0; i < 6; ++i) draws.push_back(plat::Random(100));
  EXPECT_EQ(draws, (std::vector<uint32_t>{0, 3, 86, 20, 27, 67}));
}

TEST(RandomTest, DrawsStayBelowN) {
  plat::SetRandSeed(2024);
  for (const uint32_t n : {1u, 2u, 3u, 7u, 1000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    for (int i = 0; i < 2000; ++i) ASSERT_LT(plat::Random(n), n) << n;
  }
  const uint32_t before = plat::RandSeed();
  EXPECT_EQ(plat::Random(0), 0u);
  EXPECT_NE(plat::RandSeed(), before);  // a draw of 0 still moves the seed
}

TEST(RandomTest, RandomizeTakesTheClocksSeed) {
  plat::ManualClock clock;
  plat::ScopedClock scoped(clock);
  clock.SetWallClockSeed(0x123456789ull);
  plat::Randomize();
  EXPECT_EQ(plat::RandSeed(), 0x23456789u);
}

}  // namespace
