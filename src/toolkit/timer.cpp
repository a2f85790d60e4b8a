#include "toolkit/timer.h"

#include "platform/clock.h"
#include "toolkit/application.h"
#include "toolkit/layout.h"

namespace tk {

Timer::Timer(Form* form, std::string name) : Component(form, std::move(name), "timer") {
  due_ = plat::GetClock().NowMs() + interval_;
  form_->App().TimerChanged(this);
}

Timer::~Timer() { form_->App().TimerGone(this); }

void Timer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  ++changes_;
  if (v) due_ = plat::GetClock().NowMs() + interval_;
  form_->App().TimerChanged(this);
}

void Timer::SetInterval(uint32_t ms) {
  interval_ = ms;
  ++changes_;
  due_ = plat::GetClock().NowMs() + interval_;
  form_->App().TimerChanged(this);
}

void Timer::Fire(uint64_t now) {
  due_ = now + interval_;
  if (!OnTimer) return;
  Application& app = form_->App();
  const uint64_t changes = changes_;
  running_ = true;
  struct Done {
    Timer& t;
    Application& app;
    uint64_t changes;
    ~Done() {
      t.running_ = false;
      if (t.changes_ == changes) t.due_ = plat::GetClock().NowMs() + t.interval_;
      app.TimerChanged(&t);
    }
  } done{*this, app, changes};
  // The other timers go on while this handler runs.
  app.TimerChanged(this);
  app.Dispatch(OnTimer, this);
}

bool Timer::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Enabled") return SetEnabled(v.AsBool()), true;
  if (name == "Interval") return SetInterval(static_cast<uint32_t>(v.AsInt())), true;
  return false;
}

bool Timer::BindEvent(const std::string& event, const Handler& h) {
  if (event == "OnTimer" && std::holds_alternative<NotifyEvent>(h)) return OnTimer = std::get<NotifyEvent>(h), true;
  return false;
}

}  // namespace tk
