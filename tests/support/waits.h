// Waits with a bound: a test that waits for something that never comes
// fails within its bound, naming what it waited for, instead of hanging the
// test program. Time is the manual clock's, never real time.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/clock.h"
#include "toolkit/control.h"
#include "toolkit/form.h"
#include "toolkit/testing.h"

namespace tovrek_test {

// Longest a test waits on the manual clock unless it says otherwise.
constexpr uint64_t kWaitBoundMs = 60000;

// "Form1.BtnNext": a control as the failure messages name it.
inline std::string ControlPath(const tk::Component& c) {
  const tk::Form* f = c.OwnerForm();
  return f == nullptr || static_cast<const tk::Component*>(f) == &c ? c.Name() : f->Name() + "." + c.Name();
}

// Advances the manual clock stepMs at a time until done() holds, at most
// maxMs in all; the timers due meanwhile run as the clock passes them.
inline ::testing::AssertionResult AdvanceUntil(plat::ManualClock& clock, const std::function<bool()>& done,
                                               const std::string& what, uint64_t maxMs = kWaitBoundMs,
                                               uint64_t stepMs = 100) {
  for (uint64_t waited = 0;; waited += stepMs) {
    if (done()) return ::testing::AssertionSuccess();
    if (waited >= maxMs)
      return ::testing::AssertionFailure() << what << " did not happen within " << maxMs << " ms of the manual clock";
    clock.Advance(stepMs);
  }
}

// Waits on the manual clock for a control to become enabled.
inline ::testing::AssertionResult WaitUntilEnabled(plat::ManualClock& clock, tk::Control& c,
                                                   uint64_t maxMs = kWaitBoundMs, uint64_t stepMs = 100) {
  return AdvanceUntil(clock, [&c] { return c.Enabled(); }, ControlPath(c) + " becoming enabled", maxMs, stepMs);
}

// Clicks a control as a learner does until done() holds, at most maxClicks
// times. A control that cannot be clicked (disabled or hidden) fails at
// once: clicking it again would change nothing.
inline ::testing::AssertionResult ClickUntil(tk::Control& c, const std::function<bool()>& done,
                                             const std::string& what, int maxClicks) {
  for (int clicks = 0;; ++clicks) {
    if (done()) return ::testing::AssertionSuccess();
    for (const tk::Control* p = &c; p != nullptr; p = p->Parent()) {
      if (!p->Enabled() || !p->Visible())
        return ::testing::AssertionFailure() << ControlPath(c) << " cannot be clicked (" << ControlPath(*p) << " is "
                                             << (p->Enabled() ? "hidden" : "disabled") << ") after " << clicks
                                             << " clicks, waiting for " << what;
    }
    if (clicks >= maxClicks)
      return ::testing::AssertionFailure() << ControlPath(c) << " was clicked " << maxClicks
                                           << " times without " << what;
    tk::testing::UserClick(c);
  }
}

}  // namespace tovrek_test
