// What tests need to act as a learner would: real input events sent to the
// widgets, scripts for modal windows, the manual clock, screenshots.
#pragma once

#include <functional>
#include <string>

#include "toolkit/application.h"
#include "toolkit/controls.h"

namespace plat {
class ManualClock;
}

namespace tk::testing {

// Puts the application into scripted mode and drives timers from clock.
void UseManualClock(Application& app, plat::ManualClock& clock);
void ReleaseClock();

// A learner's left click (nothing happens on a disabled or hidden control).
void UserClick(Control& c);
void UserRightClick(Control& c);
void UserMouseMove(Control& c, int x, int y);
// A key as typed at the focused control of the active form (key preview,
// the control's key-down, key-press and default handling, accelerators).
void UserKey(Application& app, uint16_t key, ShiftState shift = {});
// Characters typed into the focused control.
void UserType(Application& app, const std::string& text);
// A learner's pick from a drop-down list; ignored when disabled.
void UserPick(DropDownList& list, int index);
// The title-bar close button (or Alt+F4).
void UserCloseWindow(Form& f);

// Renders a form as it would be on screen, to a PNG file.
bool SaveScreenshot(Form& f, const std::string& pngPath);
// The RGB (0xRRGGBB) at a point of a rendered form.
uint32_t PixelAt(Form& f, int x, int y);
// The text a control shows, after the accelerator "&" marks are resolved.
std::string DisplayedText(Control& c);

}  // namespace tk::testing
