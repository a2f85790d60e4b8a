#include "toolkit/form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "toolkit/application.h"
#include "toolkit/layout.h"
#include "toolkit/qt_private.h"
#include "toolkit/widgets.h"

namespace tk {

namespace {

// Fixed frame metrics, so outer sizes are the same on every desktop.
constexpr int kFrame = 3;
constexpr int kTitleBar = 22;

class FormWidget : public Clickable<QWidget> {
 public:
  FormWidget(Form* owner) : Clickable<QWidget>(owner, nullptr), form_(owner) { setAutoFillBackground(true); }

 protected:
  void closeEvent(QCloseEvent* e) override {
    // The layer decides what a close does; the window only asks.
    e->ignore();
    form_->RequestCloseFromWindow();
  }

 private:
  Form* form_;
};

}  // namespace

Form::Form(Application& app, std::string name) : Control(this, nullptr, std::move(name), "form"), app_(app) {
  visible_ = false;
  AttachWidget(new FormWidget(this));
  widget_->setFocusPolicy(Qt::StrongFocus);
  ApplyWindowFlags();
}

Form::~Form() {
  // Controls go first; their widgets belong to the form's window.
  QWidget* w = widget_;
  owned_.clear();
  UnregisterWidget(w);
  widget_ = nullptr;
  delete w;
}

void Form::Register(std::unique_ptr<Component> c) {
  if (c->Name().empty()) throw LayoutError(name_ + ": a component needs a name");
  if (byName_.count(c->Name()) != 0) throw LayoutError(name_ + ": two components named " + c->Name());
  byName_[c->Name()] = c.get();
  order_.push_back(c.get());
  owned_.push_back(std::move(c));
}

Component* Form::FindComponent(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

void Form::SetCaption(const std::string& c) {
  caption_ = c;
  widget_->setWindowTitle(ToQ(c));
}

void Form::SetClientSize(int w, int h) { SetBounds(left_, top_, w, h); }

void Form::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  ApplySize();
  widget_->move(left, top);
}

void Form::ApplySize() {
  // Only a sizeable border lets the learner change the size.
  if (borderStyle_ == BorderStyle::Sizeable) {
    widget_->setMinimumSize(0, 0);
    widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    widget_->resize(width_, height_);
  } else {
    widget_->setFixedSize(width_, height_);
  }
}

int Form::OuterWidth() const { return borderStyle_ == BorderStyle::None ? width_ : width_ + 2 * kFrame; }
int Form::OuterHeight() const {
  return borderStyle_ == BorderStyle::None ? height_ : height_ + 2 * kFrame + kTitleBar;
}
void Form::SetOuterSize(int w, int h) {
  if (borderStyle_ == BorderStyle::None) SetClientSize(w, h);
  else SetClientSize(w - 2 * kFrame, h - 2 * kFrame - kTitleBar);
}

void Form::CenterOnScreen() {
  QScreen* s = QGuiApplication::primaryScreen();
  const QRect area = s != nullptr ? s->geometry() : QRect(0, 0, 1024, 768);
  SetBounds(area.x() + (area.width() - OuterWidth()) / 2, area.y() + (area.height() - OuterHeight()) / 2, width_,
            height_);
}

void Form::SetBorderStyle(BorderStyle b) {
  borderStyle_ = b;
  ApplyWindowFlags();
  ApplySize();
}
void Form::SetBorderIcons(unsigned icons) {
  borderIcons_ = icons;
  ApplyWindowFlags();
}
void Form::SetStayOnTop(bool v) {
  stayOnTop_ = v;
  ApplyWindowFlags();
}

void Form::ApplyWindowFlags() {
  Qt::WindowFlags f = Qt::Window;
  if (borderStyle_ == BorderStyle::None) {
    f |= Qt::FramelessWindowHint;
  } else {
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (borderIcons_ & static_cast<unsigned>(BorderIcon::SystemMenu)) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (borderIcons_ & static_cast<unsigned>(BorderIcon::Minimize)) f |= Qt::WindowMinimizeButtonHint;
    if (borderIcons_ & static_cast<unsigned>(BorderIcon::Maximize)) f |= Qt::WindowMaximizeButtonHint;
  }
  if (stayOnTop_) f |= Qt::WindowStaysOnTopHint;
  const bool shown = widget_->isVisible();
  widget_->setWindowFlags(f);
  if (shown) widget_->show();
}

void Form::SetVisible(bool v) {
  if (v) Show();
  else Hide();
}

void Form::Show() {
  if (visible_) return;
  visible_ = true;
  if (centered_) CenterOnScreen();
  widget_->show();
  if (OnShow) app_.Dispatch(OnShow);
  app_.FormShown(this);
}

void Form::ShowInactive() {
  if (visible_) return;
  visible_ = true;
  widget_->setAttribute(Qt::WA_ShowWithoutActivating, true);
  widget_->show();
  widget_->setAttribute(Qt::WA_ShowWithoutActivating, false);
  if (OnShow) app_.Dispatch(OnShow);
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  widget_->hide();
  app_.FormHidden(this);
}

void Form::ShowModal() {
  if (visible_ || modalDepth_ > 0) throw std::runtime_error("Cannot make a visible window modal");
  Form* previous = nullptr;
  closeRequested_ = false;
  app_.BeginModal(this, previous);
  ++modalDepth_;
  visible_ = true;
  if (centered_) CenterOnScreen();
  widget_->setWindowModality(Qt::ApplicationModal);
  widget_->show();
  if (OnShow) app_.Dispatch(OnShow);
  app_.ActivateForm(this);
  struct Leave {
    Form* f;
    Form* prev;
    ~Leave() {
      --f->modalDepth_;
      f->visible_ = false;
      f->widget_->hide();
      f->widget_->setWindowModality(Qt::NonModal);
      f->app_.EndModal(f, prev);
    }
  } leave{this, previous};
  app_.RunModalLoop(this);
  // A terminated program leaves without the close handler.
  if (!app_.Terminated()) RunModalClose();
}

void Form::RunModalClose() {
  closing_ = true;
  if (OnClose) app_.Dispatch(OnClose);
  closing_ = false;
}

void Form::Close() {
  if (modalDepth_ > 0) {
    closeRequested_ = true;
    app_.WakeModalLoop();
    return;
  }
  if (closing_) return;
  closing_ = true;
  struct Reset {
    bool& b;
    ~Reset() { b = false; }
  } reset{closing_};
  if (OnClose) OnClose();
  if (app_.MainForm() == this) app_.Terminate();
  else Hide();
}

void Form::RequestCloseFromWindow() {
  app_.Dispatch([this] { Close(); });
}

void Form::Repaint() {
  for (Component* c : order_)
    if (auto* m = dynamic_cast<Memo*>(c)) m->Sync();
  // A window just shown is mapped by the display server in its own time;
  // let it come up (no input is handled) so the paint reaches the screen.
  if (visible_) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  widget_->repaint();
}

void Form::SetActiveControl(Control* c) {
  activeControl_ = c;
  if (c != nullptr && app_.ActiveForm() == this && c->Widget() != nullptr) c->Widget()->setFocus(Qt::OtherFocusReason);
}

void Form::FocusChangedTo(Control* c) {
  if (c != this) activeControl_ = c;
}

bool Form::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Caption") return SetCaption(v.AsString()), true;
  if (name == "ClientSize") {
    auto l = v.AsList();
    if (l.size() != 2) throw LayoutError("line " + std::to_string(v.line) + ": ClientSize takes 2 numbers");
    SetClientSize(l[0].AsInt(), l[1].AsInt());
    return true;
  }
  if (name == "Position") {
    SetCenteredOnShow(v.AsIdentifier() == "ScreenCenter");
    return true;
  }
  if (name == "BorderStyle") {
    const std::string& s = v.AsIdentifier();
    SetBorderStyle(s == "None" ? BorderStyle::None : s == "Single" ? BorderStyle::Single : s == "Dialog" ? BorderStyle::Dialog : BorderStyle::Sizeable);
    return true;
  }
  if (name == "BorderIcons") {
    unsigned icons = 0;
    for (const auto& i : v.AsList()) {
      const std::string& s = i.AsIdentifier();
      if (s == "SystemMenu") icons |= static_cast<unsigned>(BorderIcon::SystemMenu);
      else if (s == "Minimize") icons |= static_cast<unsigned>(BorderIcon::Minimize);
      else if (s == "Maximize") icons |= static_cast<unsigned>(BorderIcon::Maximize);
      else if (s != "None") throw LayoutError("line " + std::to_string(v.line) + ": unknown border icon " + s);
    }
    SetBorderIcons(icons);
    return true;
  }
  if (name == "StayOnTop") return SetStayOnTop(v.AsBool()), true;
  if (name == "KeyPreview") return SetKeyPreview(v.AsBool()), true;
  if (name == "Visible") return false;  // forms are shown by code
  return Control::SetProperty(name, v);
}

bool Form::BindEvent(const std::string& event, const Handler& h) {
  if (std::holds_alternative<NotifyEvent>(h)) {
    const auto& n = std::get<NotifyEvent>(h);
    if (event == "OnCreate") return OnCreate = n, true;
    if (event == "OnActivate") return OnActivate = n, true;
    if (event == "OnClose") return OnClose = n, true;
    if (event == "OnShow") return OnShow = n, true;
  }
  return Control::BindEvent(event, h);
}

}  // namespace tk
