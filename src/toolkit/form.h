// A top-level window. Forms are created once and live until the program
// ends; closing one that is not the main form hides it.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/layout.h"

namespace tk {

class Application;

// A unit's method as a handler for its layout: HandlerOf(this, &TForm1::BtnOkClick).
template <class F>
Handler HandlerOf(F* form, void (F::*method)()) {
  return NotifyEvent([form, method] { (form->*method)(); });
}
template <class F>
Handler HandlerOf(F* form, void (F::*method)(uint16_t&, ShiftState)) {
  return KeyEvent([form, method](uint16_t& key, ShiftState shift) { (form->*method)(key, shift); });
}
template <class F>
Handler HandlerOf(F* form, void (F::*method)(char&)) {
  return KeyPressEvent([form, method](char& key) { (form->*method)(key); });
}
template <class F>
Handler HandlerOf(F* form, void (F::*method)(ShiftState, int, int)) {
  return MouseMoveEvent([form, method](ShiftState shift, int x, int y) { (form->*method)(shift, x, y); });
}

enum class BorderIcon : unsigned { SystemMenu = 1, Minimize = 2, Maximize = 4 };

class Form : public Control {
 public:
  Form(Application& app, std::string name);
  ~Form() override;

  Application& App() const { return app_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  int ClientWidth() const { return width_; }
  int ClientHeight() const { return height_; }
  void SetClientSize(int w, int h);
  // Outer size, frame and title bar included (fixed frame metrics).
  int OuterWidth() const;
  int OuterHeight() const;
  void SetOuterSize(int w, int h);
  void CenterOnScreen();
  bool CenteredOnShow() const { return centered_; }
  void SetCenteredOnShow(bool v) { centered_ = v; }
  BorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(BorderStyle b);
  unsigned BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(unsigned icons);
  bool StayOnTop() const { return stayOnTop_; }
  void SetStayOnTop(bool v);
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  void SetVisible(bool v) override;
  void SetBounds(int left, int top, int width, int height) override;

  // Shows the form; if it was hidden it becomes the active form and its
  // activation handler runs.
  void Show();
  // Shows a hidden form again without making it the active form, so its
  // activation handler does not run (a window hidden behind another one
  // coming back as that one closes).
  void ShowInactive();
  void Hide();
  // Runs a nested loop until the form closes. Activation runs at each
  // showing; afterwards the focus goes back to the form that was active,
  // without running that form's activation handler.
  void ShowModal();
  bool IsModal() const { return modalDepth_ > 0; }
  // The close path: a modal form ends its loop (its close handler runs once
  // as it closes); another form runs its close handler and hides; the main
  // form ends the program.
  void Close();
  // Paints the form at once (for windows shown before slow steps).
  void Repaint();

  Control* ActiveControl() const { return activeControl_; }
  void SetActiveControl(Control* c);

  NotifyEvent OnCreate;
  NotifyEvent OnActivate;
  NotifyEvent OnClose;
  NotifyEvent OnShow;

  // Design state from a stored layout ("layouts/Tovrek_Unit1.layout"),
  // with its handler names bound from the unit's table.
  void LoadLayout(const std::string& resource, const std::map<std::string, Handler>& handlers);
  void LoadLayoutText(const std::string& text, const std::map<std::string, Handler>& handlers,
                      const std::string& sourceName);

  Component* FindComponent(const std::string& name) const;
  template <class T>
  void Bind(T*& field, const std::string& name) const {
    Component* c = FindComponent(name);
    if (c == nullptr) throw LayoutError(name_ + ": no component " + name);
    field = dynamic_cast<T*>(c);
    if (field == nullptr) throw LayoutError(name_ + ": " + name + " is of another kind");
  }
  // Every component created on the form, in creation order.
  const std::vector<Component*>& Components() const { return order_; }

  // Creates a component owned by this form, under parent (nullptr: the form).
  template <class T>
  T* Create(Control* parent, const std::string& name) {
    auto owned = std::make_unique<T>(this, parent == nullptr ? this : parent, name);
    T* raw = owned.get();
    Register(std::move(owned));
    return raw;
  }
  // Non-visual components take only the form.
  template <class T>
  T* CreateComponent(const std::string& name) {
    auto owned = std::make_unique<T>(this, name);
    T* raw = owned.get();
    Register(std::move(owned));
    return raw;
  }

  bool SetProperty(const std::string& name, const LayoutValue& value) override;
  bool BindEvent(const std::string& event, const Handler& handler) override;

  // Toolkit internals.
  void RequestCloseFromWindow();
  void FocusChangedTo(Control* c);
  bool CloseRequested() const { return closeRequested_; }

 private:
  void Register(std::unique_ptr<Component> c);
  void ApplyWindowFlags();
  void ApplySize();
  void RunModalClose();

  Application& app_;
  std::string caption_;
  bool centered_ = false;
  BorderStyle borderStyle_ = BorderStyle::Sizeable;
  unsigned borderIcons_ = 7;
  bool stayOnTop_ = false;
  bool keyPreview_ = false;
  Control* activeControl_ = nullptr;
  int modalDepth_ = 0;
  bool closeRequested_ = false;
  bool closing_ = false;
  std::vector<std::unique_ptr<Component>> owned_;
  std::vector<Component*> order_;
  std::map<std::string, Component*> byName_;
  friend class Application;
};

}  // namespace tk
