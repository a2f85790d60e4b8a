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
  if (v) due_ = plat::GetClock().NowMs() + interval_;
  form_->App().TimerChanged(this);
}

void Timer::SetInterval(uint32_t ms) {
  interval_ = ms;
  due_ = plat::GetClock().NowMs() + interval_;
  form_->App().TimerChanged(this);
}

void Timer::Fire(uint64_t now) {
  // On the manual clock every elapsed interval ticks; on the real clock a
  // late tick does not queue up more.
  if (dynamic_cast<plat::ManualClock*>(&plat::GetClock()) != nullptr) due_ += interval_;
  else due_ = now + interval_;
  if (OnTimer) form_->App().Dispatch(OnTimer);
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
