// Base of every visual control, and the property/event vocabulary shared by
// all of them. Widgets are Qt's, but nothing here exposes Qt.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "toolkit/types.h"

class QWidget;

namespace tk {

class Form;
class Control;
struct LayoutValue;

using NotifyEvent = std::function<void()>;
// Key-down handlers may set key to 0 to swallow it.
using KeyEvent = std::function<void(uint16_t& key, ShiftState shift)>;
// Key-press handlers get the typed character; setting it to 0 swallows it.
using KeyPressEvent = std::function<void(char& key)>;
using MouseMoveEvent = std::function<void(ShiftState shift, int x, int y)>;
// A handler of a unit, as named in a layout ("OnClick = BtnNextClick").
using Handler = std::variant<NotifyEvent, KeyEvent, KeyPressEvent, MouseMoveEvent>;

// Anything a layout can name: controls, and the non-visual timers and
// actions of a form.
class Component {
 public:
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  virtual ~Component();
  const std::string& Name() const { return name_; }
  const std::string& KindName() const { return kind_; }
  Form* OwnerForm() const { return form_; }
  // Layout support: set one design property; false if the name is unknown.
  virtual bool SetProperty(const std::string& name, const LayoutValue& value);
  // Binds a layout's "OnXxx = Handler"; false if the event is unknown here
  // or the handler has the wrong shape.
  virtual bool BindEvent(const std::string& event, const Handler& handler);
  // Layout support: while a layout sets the design properties one by one,
  // properties that depend on each other (a label's size on its caption,
  // alignment and width) wait; Loaded() settles them once all are set.
  void SetLoading(bool v) { loading_ = v; }
  bool Loading() const { return loading_; }
  virtual void Loaded() {}

 protected:
  Component(Form* form, std::string name, std::string kind);
  bool loading_ = false;
  Form* form_;
  std::string name_;
  std::string kind_;
};

class Control : public Component {
 public:
  ~Control() override;

  Control* Parent() const { return parent_; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  // Visible and enabled, and so is every parent up to the form.
  bool CanFocus() const;
  // Refused (returns false) for a control that cannot take the focus.
  // On a form that is not the active one, it only becomes that form's
  // active control and takes the focus when the form is active again.
  bool SetFocus();
  bool Focused() const;
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);

  Color GetColor() const { return color_; }
  virtual void SetColor(Color c);
  const tk::Font& GetFont() const { return font_; }
  virtual void SetFont(const tk::Font& f);
  void SetFontColor(Color c);
  void SetFontHeight(int pixels);
  void SetFontSize(int points);
  void SetFontName(const std::string& name);
  void SetFontBold(bool bold);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& h);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  Cursor GetCursor() const { return cursor_; }
  void SetCursor(Cursor c);

  // Runs the click handler, whatever the enabled and visible state, as a
  // click performed from code does. Exceptions reach the caller.
  virtual void Click();

  NotifyEvent OnClick;
  NotifyEvent OnContextPopup;  // right-click
  KeyEvent OnKeyDown;
  KeyPressEvent OnKeyPress;
  MouseMoveEvent OnMouseMove;
  // The pointer comes over the control, and leaves it.
  NotifyEvent OnMouseEnter;
  NotifyEvent OnMouseLeave;

  // The Qt widget; only the toolkit's own sources can use it.
  QWidget* Widget() const { return widget_; }

  bool SetProperty(const std::string& name, const LayoutValue& value) override;
  bool BindEvent(const std::string& event, const Handler& handler) override;

  // Controls placed inside this one (panels, group boxes, forms).
  const std::vector<Control*>& Children() const { return children_; }

 protected:
  Control(Form* form, Control* parent, std::string name, std::string kind);
  // Called once by the subclass constructor after it has made its widget.
  void AttachWidget(QWidget* w);
  virtual void ApplyFont();
  virtual void ApplyColor();
  void ApplyToolTip();
  void ApplyCursor();

  Control* parent_;
  QWidget* widget_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool tabStop_ = true;
  Color color_ = clBtnFace;
  tk::Font font_;
  std::string hint_;
  bool showHint_ = false;
  Cursor cursor_ = Cursor::Default;
  std::vector<Control*> children_;

  friend class Form;
  friend struct ControlAccess;
};

}  // namespace tk
