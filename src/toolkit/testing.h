// What tests need to act as a learner would: real input events sent to the
// widgets, scripts for modal windows, the manual clock, screenshots.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/controls.h"

namespace plat {
class ManualClock;
}

namespace tk::testing {

// Puts the application into scripted mode and drives timers from clock.
void UseManualClock(Application& app, plat::ManualClock& clock);
void ReleaseClock();

// A control of the form by its name; throws ScriptError naming the form
// and the control when there is none, or when it is of another kind.
Control& ControlNamed(Form& f, const std::string& name);
template <class T>
T& Named(Form& f, const std::string& name) {
  Control& c = ControlNamed(f, name);
  auto* t = dynamic_cast<T*>(&c);
  if (t == nullptr)
    throw ScriptError("the control " + f.Name() + "." + name + " is a " + c.KindName() +
                      ", not the kind the test asked for");
  return *t;
}

// A learner's left click (nothing happens on a disabled or hidden control).
void UserClick(Control& c);
// The same on the form's control of that name (see ControlNamed).
void UserClick(Form& f, const std::string& name);
void UserRightClick(Control& c);
void UserMouseMove(Control& c, int x, int y);
// The pointer coming over a control, and leaving it again.
void UserPointerEnter(Control& c);
void UserPointerLeave(Control& c);
// A key as typed at the focused control of the active form (key preview,
// the control's key-down, key-press and default handling, accelerators).
void UserKey(Application& app, uint16_t key, ShiftState shift = {});
// Characters typed into the focused control.
void UserType(Application& app, const std::string& text);
// A learner's pick from a drop-down list or a list box; ignored when
// disabled or hidden.
void UserPick(DropDownList& list, int index);
void UserPick(ListBox& list, int index);
// A click on one button of a radio group.
void UserPick(RadioGroup& group, int index);
// The item of a radio group that holds the keyboard focus in its window;
// -1 when the focus is elsewhere, or on the group's frame.
int FocusedItem(RadioGroup& group);
// A key typed at the message box the error report shows outside scripted
// mode; false when no message box is up.
bool UserAnswerMessageBox(uint16_t key);
// The title and text (UTF-8) of the message box that is up; false when
// none is.
bool ShownMessageBox(std::string& title, std::string& text);
// The title-bar close button (or Alt+F4).
void UserCloseWindow(Form& f);

// Renders a form as it would be on screen, to a PNG file.
bool SaveScreenshot(Form& f, const std::string& pngPath);
// The RGB (0xRRGGBB) at a point of a rendered form.
uint32_t PixelAt(Form& f, int x, int y);
// The whole client area rendered once, for tests that look at many pixels.
struct Rendering {
  int width = 0, height = 0;
  std::vector<uint32_t> rgb;  // 0xRRGGBB, rows top to bottom
  uint32_t At(int x, int y) const { return rgb.at(static_cast<size_t>(y) * width + x); }
};
Rendering Render(Form& f);
// The text a control shows, as its widget presents it (the rendered rich
// text of a label, the accessible name of the others).
std::string DisplayedText(Control& c);
// The installed font family a toolkit font is drawn with, and the width in
// pixels of a text in that font.
std::string ResolvedFontFamily(const Font& f);
int TextWidth(const Font& f, const std::string& text);
// The tooltip the widget would show (empty when hints are off).
std::string ShownHint(Control& c);
// The mouse cursor over the widget.
Cursor ShownCursor(Control& c);
// The cursor the pointer shows over the control: its own, or else the
// nearest parent's that has one.
Cursor PointerShape(Control& c);
// The RGB (0xRRGGBB) an enabled control draws its caption or text in.
uint32_t ShownTextColor(Control& c);
// The control that holds the keyboard focus inside the form's window, as
// the window will restore it when it is active (nullptr: none).
Control* WidgetFocus(Form& f);

// The first line the memo's widget shows, after it is brought up to date.
int ShownTopLine(Memo& m);
// What the window manager is asked for.
struct WindowLook {
  bool frameless = false;
  bool stayOnTop = false;
  bool closeButton = false;
  bool minimizeButton = false;
  bool maximizeButton = false;
  bool resizable = false;
};
WindowLook LookOf(Form& f);

// Runs f from the message loop on its next turn (to drive real loops
// without waiting for time to pass).
void Post(std::function<void()> f);

// For the few tests on the real clock: runs f from the message loop once ms
// of real time have passed, unless destroyed first. Apart from the
// toolkit's timers, so it still fires when they are stuck.
class Watchdog {
 public:
  Watchdog(uint32_t ms, std::function<void()> f);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
  bool Fired() const { return *fired_; }

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::shared_ptr<bool> fired_;
};

}  // namespace tk::testing
