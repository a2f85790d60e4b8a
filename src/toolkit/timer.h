// A timer of a form. Ticks come from the platform clock, so tests fire them
// by advancing a manual clock.
#pragma once

#include <cstdint>

#include "toolkit/control.h"

namespace tk {

// One rule on every clock: late ticks do not pile up. After a tick the next
// one is due a full interval after its handler returned, so a handler that
// takes longer than the interval still ticks once per turn of the loop.
class Timer : public Component {
 public:
  Timer(Form* form, std::string name);
  ~Timer() override;
  bool Enabled() const { return enabled_; }
  // Enabling a running timer keeps its interval going; enabling a stopped
  // one starts a full interval.
  void SetEnabled(bool v);
  uint32_t Interval() const { return interval_; }
  // A new interval starts over from now.
  void SetInterval(uint32_t ms);
  uint64_t DueAt() const { return due_; }
  // Its handler is running (and may be showing a modal window).
  bool Running() const { return running_; }
  bool SetProperty(const std::string& name, const LayoutValue& value) override;
  bool BindEvent(const std::string& event, const Handler& handler) override;

  NotifyEvent OnTimer;

  // Toolkit internal: the tick is due; runs the handler and schedules the
  // next one.
  void Fire(uint64_t now);

 private:
  bool enabled_ = true;
  bool running_ = false;
  uint32_t interval_ = 1000;
  uint64_t due_ = 0;
  // Counts the handler's own changes to Enabled and Interval, which then
  // decide the next tick themselves.
  uint64_t changes_ = 0;
};

}  // namespace tk
