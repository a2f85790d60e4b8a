// Time for the program: the monotonic clock, sleeps on the user-interface
// thread and the seed for the random generator. Tests swap in ManualClock.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace plat {

class Clock {
 public:
  virtual ~Clock();
  virtual uint64_t NowMs() = 0;  // monotonic
  virtual void Sleep(uint32_t ms) = 0;
  virtual uint64_t WallClockSeed() = 0;  // for reseeding the random generator
};

Clock& GetClock();
// nullptr restores the real clock. The clock is not owned.
void SetClock(Clock* clock);

class ManualClock : public Clock {
 public:
  explicit ManualClock(uint64_t startMs = 0) : now_(startMs) {}

  uint64_t NowMs() override { return now_; }
  // Time passes at once and the sleep is recorded; the listener is not
  // told, since a sleeping user-interface thread handles no timers.
  void Sleep(uint32_t ms) override;
  uint64_t WallClockSeed() override { return seed_; }

  // Moves time on, then tells the listener the new time.
  void Advance(uint64_t ms);
  void SetWallClockSeed(uint64_t seed) { seed_ = seed; }
  const std::vector<uint32_t>& Sleeps() const { return sleeps_; }
  void ClearSleeps() { sleeps_.clear(); }
  void SetAdvanceListener(std::function<void(uint64_t now)> listener) { listener_ = std::move(listener); }
  // Told of each sleep as it starts, so a test can look at the program
  // while it is blocked.
  void SetSleepListener(std::function<void(uint32_t ms)> listener) { sleepListener_ = std::move(listener); }

 private:
  uint64_t now_;
  uint64_t seed_ = 0;
  std::vector<uint32_t> sleeps_;
  std::function<void(uint64_t)> listener_;
  std::function<void(uint32_t)> sleepListener_;
};

// Installs a clock for one scope and puts the previous one back.
class ScopedClock {
 public:
  explicit ScopedClock(Clock& clock);
  ~ScopedClock();
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  Clock* previous_;
};

}  // namespace plat
