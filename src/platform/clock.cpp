#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace plat {

namespace {

class SystemClock final : public Clock {
 public:
  uint64_t NowMs() override {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
  }
  void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
  uint64_t WallClockSeed() override {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
  }
};

SystemClock& RealClock() {
  static SystemClock clock;
  return clock;
}

Clock*& CurrentClock() {
  static Clock* clock = nullptr;
  return clock;
}

}  // namespace

Clock::~Clock() = default;

Clock& GetClock() {
  Clock* clock = CurrentClock();
  return clock ? *clock : RealClock();
}

void SetClock(Clock* clock) { CurrentClock() = clock; }

void ManualClock::Sleep(uint32_t ms) {
  if (sleepListener_) sleepListener_(ms);
  now_ += ms;
  sleeps_.push_back(ms);
}

void ManualClock::Advance(uint64_t ms) {
  now_ += ms;
  if (listener_) {
    // A copy: the listener may replace itself while it runs.
    const auto listener = listener_;
    listener(now_);
  }
}

ScopedClock::ScopedClock(Clock& clock) : previous_(CurrentClock()) { SetClock(&clock); }

ScopedClock::~ScopedClock() { SetClock(previous_); }

}  // namespace plat
