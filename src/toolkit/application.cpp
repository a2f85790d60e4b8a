#include "toolkit/application.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QFocusEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "platform/clock.h"
#include "platform/text8.h"
#include "toolkit/controls.h"
#include "toolkit/qt_private.h"
#include "toolkit/timer.h"

namespace tk {

namespace {

Application* g_current = nullptr;

char CharOf(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    default: break;
  }
  const QString t = e->text();
  if (t.size() != 1) return 0;
  const char16_t u = t[0].unicode();
  if (u < 32 && u != 0) return static_cast<char>(u);  // Ctrl+letter
  if (u < 32 || u == 127 || u > 255) return 0;
  return static_cast<char>(u);
}

}  // namespace

void InitToolkit(int& argc, char** argv) {
  if (QApplication::instance() != nullptr) return;
  static int s_argc = argc;
  new QApplication(s_argc, argv);
  // The windows were laid out for Tahoma and MS Sans Serif. Where they are
  // missing, Liberation Sans (Arial's widths) keeps their captions inside
  // their controls; the usual fallback, DejaVu Sans, is a tenth wider.
  for (const char* family : {"Tahoma", "MS Sans Serif"})
    QFont::insertSubstitutions(QString::fromLatin1(family),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans Condensed")});
}

void Sleep(uint32_t ms) { plat::GetClock().Sleep(ms); }

namespace {

// The accelerator letter of a caption ("&Start" -> 'S'), 0 when none.
uint16_t AcceleratorOf(const std::string& caption) {
  int index = -1;
  const QString plain = StripAccelerator(ToQ(caption), &index);
  if (index < 0) return 0;
  const QChar ch = plain[index].toUpper();
  if ((ch >= QLatin1Char('A') && ch <= QLatin1Char('Z')) || (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')))
    return static_cast<uint16_t>(ch.unicode());
  return 0;
}

}  // namespace

// Routes keys as the program expects: the form with key preview first, then
// the focused control's key-down and key-press handlers, then Alt+letter
// accelerators, then the widget.
class KeyRouter : public QObject {
 public:
  explicit KeyRouter(Application& app) : app_(app) {}

 protected:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    if (ev->type() == QEvent::FocusIn) {
      if (Control* c = ControlOf(obj); c != nullptr && c->OwnerForm() != nullptr && c != c->OwnerForm())
        c->OwnerForm()->FocusChangedTo(c);
      return false;
    }
    if (ev->type() != QEvent::KeyPress) return false;
    // The event is already on its way (delivered by the router below, or a
    // replaced character): Qt takes it to the widget and its parents.
    if (std::find(inflight_.begin(), inflight_.end(), ev) != inflight_.end()) return false;
    auto* ke = static_cast<QKeyEvent*>(ev);
    Control* c = ControlOf(obj);
    if (c == nullptr || c->OwnerForm() == nullptr) return false;
    Form& form = *c->OwnerForm();
    auto* target = qobject_cast<QWidget*>(obj);
    // Live events have distinct addresses, so an event is known by its
    // address for exactly as long as this delivery lasts.
    inflight_.push_back(ev);
    struct Pop {
      std::vector<const QEvent*>& v;
      ~Pop() { v.pop_back(); }
    } pop{inflight_};
    if (!Route(form, c == &form ? nullptr : c, target, ke) && target != nullptr) {
      // The widget's own handling, and its parents' if it ignores the key.
      QCoreApplication::sendEvent(target, ke);
    }
    ke->accept();  // delivered: Qt must not take it to the parents again
    return true;
  }

 private:
  bool Route(Form& form, Control* control, QWidget* target, QKeyEvent* ke) {
    uint16_t key = VirtualKeyOf(ke->key());
    const ShiftState shift = ShiftOf(ke->modifiers());
    if (key != 0) {
      if (form.KeyPreview() && form.OnKeyDown) {
        app_.Dispatch([&] { form.OnKeyDown(key, shift); }, &form);
        if (key == 0) return true;
      }
      if (control != nullptr && control->OnKeyDown) {
        app_.Dispatch([&] { control->OnKeyDown(key, shift); }, control);
        if (key == 0) return true;
      }
      if (shift.Alt && !shift.Ctrl && Accelerator(form, key)) return true;
    }
    const char typed = CharOf(ke);
    char ch = typed;
    if (ch != 0) {
      if (form.KeyPreview() && form.OnKeyPress) {
        app_.Dispatch([&] { form.OnKeyPress(ch); }, &form);
        if (ch == 0) return true;
      }
      if (control != nullptr && control->OnKeyPress) {
        app_.Dispatch([&] { control->OnKeyPress(ch); }, control);
        if (ch == 0) return true;
      }
      if (ch != typed && target != nullptr && !app_.Terminated()) {
        // A handler replaced the character: the widget gets the new one.
        QKeyEvent replaced(QEvent::KeyPress, ke->key(), ke->modifiers(), QString(QChar(static_cast<uchar>(ch))));
        inflight_.push_back(&replaced);
        QCoreApplication::sendEvent(target, &replaced);
        inflight_.pop_back();
        return true;
      }
    }
    // The handlers may have closed or hidden what had the key.
    return app_.Terminated();
  }

  // Alt+letter clicks the button or check box whose caption marks that
  // letter, when it could take the focus.
  bool Accelerator(Form& form, uint16_t key) {
    if (!((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) return false;
    for (Component* comp : form.Components()) {
      if (auto* b = dynamic_cast<Button*>(comp); b != nullptr && b->CanFocus() && AcceleratorOf(b->Caption()) == key) {
        app_.Dispatch([b] { b->Click(); }, b);
        return true;
      }
      if (auto* k = dynamic_cast<CheckBox*>(comp); k != nullptr && k->CanFocus() && AcceleratorOf(k->Caption()) == key) {
        k->SetFocus();
        ControlAccess::UserToggled(*k, !k->Checked());
        return true;
      }
    }
    return false;
  }

  Application& app_;
  std::vector<const QEvent*> inflight_;
};

struct Application::Impl {
  std::unique_ptr<KeyRouter> router;
  QObject postTarget;  // posted calls die with it
  QTimer realTimer;
  std::vector<QEventLoop*> loops;
  std::vector<QMessageBox*> reports;  // error reports on the screen
};

Application::Application() : impl_(std::make_unique<Impl>()) {
  if (QApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "tovrek";
    static char* argv[] = {name, nullptr};
    InitToolkit(argc, argv);
  }
  g_current = this;
  impl_->router = std::make_unique<KeyRouter>(*this);
  qApp->installEventFilter(impl_->router.get());
  impl_->realTimer.setSingleShot(true);
  QObject::connect(&impl_->realTimer, &QTimer::timeout, [this] {
    FireDueTimers(plat::GetClock().NowMs());
    ArmRealTimer();
  });
}

Application::~Application() {
  qApp->removeEventFilter(impl_->router.get());
  impl_->realTimer.stop();
  // Forms are destroyed last-created first; timers unregister as they go.
  while (!forms_.empty()) forms_.pop_back();
  if (g_current == this) g_current = nullptr;
}

Application* Application::Current() { return g_current; }

void Application::AdoptForm(std::unique_ptr<Form> f, bool mayBeMain) {
  Form* raw = f.get();
  forms_.push_back(std::move(f));
  if (mayBeMain && mainForm_ == nullptr) mainForm_ = raw;
  if (raw->OnCreate) Dispatch(raw->OnCreate, raw);
}

void Application::ShowMainForm() {
  if (mainForm_ != nullptr && !terminated_) mainForm_->Show();
}

void Application::Run() {
  ShowMainForm();
  if (terminated_) return;
  QEventLoop loop;
  impl_->loops.push_back(&loop);
  while (!terminated_) loop.exec();
  impl_->loops.pop_back();
}

void Application::Terminate() {
  terminated_ = true;
  posted_.clear();
  for (QEventLoop* l : impl_->loops) l->quit();
  // An error report that is up goes too, or its handler would keep the
  // program alive until someone answers it.
  for (QMessageBox* box : impl_->reports) box->reject();
}

void Application::WakeModalLoop() {
  // Every loop looks again: a window under the top one may have closed, and
  // each loop goes on only while its own window is open.
  for (QEventLoop* l : impl_->loops) l->quit();
}

void Application::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void Application::ShowException(const std::exception& e) {
  if (scripted_) {
    errorReports_.push_back(e.what());
    return;
  }
  if (terminated_) return;
  // Messages carry 8-bit program text (file names), shown as the controls
  // show it.
  QMessageBox box(QMessageBox::Critical, ToQ(title_), ToQ(e.what()), QMessageBox::Ok,
                  activeForm_ != nullptr ? activeForm_->Widget() : nullptr);
  impl_->reports.push_back(&box);
  struct Pop {
    std::vector<QMessageBox*>& v;
    ~Pop() { v.pop_back(); }
  } pop{impl_->reports};
  box.exec();
  if (activeForm_ != nullptr && activeForm_->ActiveControl() != nullptr)
    activeForm_->SetActiveControl(activeForm_->ActiveControl());
}

void Application::Dispatch(const std::function<void()>& handler, const Component* source) {
  sources_.push_back(source);
  struct Pop {
    std::vector<const Component*>& v;
    ~Pop() { v.pop_back(); }
  } pop{sources_};
  try {
    handler();
  } catch (const ScriptError&) {
    throw;  // the test's fault, not the program's: it ends the test
  } catch (const std::exception& e) {
    ShowException(e);
  }
}

void Application::Post(std::function<void()> handler, const Component* source) {
  posted_.push_back({std::move(handler), source});
  QMetaObject::invokeMethod(&impl_->postTarget, [this] { RunPosted(); }, Qt::QueuedConnection);
}

void Application::RunPosted() {
  // Taken off the queue first: a posted handler may show a window whose
  // loop runs the next one.
  while (!posted_.empty() && !terminated_) {
    Posted p = std::move(posted_.front());
    posted_.pop_front();
    Dispatch(p.handler, p.source);
  }
}

void Application::QueueModalScript(std::function<void(Form&)> script) {
  modalScripts_.push_back({std::string(), std::move(script)});
}

void Application::QueueModalScript(const std::string& formName, std::function<void(Form&)> script) {
  modalScripts_.push_back({formName, std::move(script)});
}

std::vector<std::string> Application::PendingScripts() const {
  std::vector<std::string> out;
  for (const ModalScript& s : modalScripts_) out.push_back(s.formName.empty() ? "any window" : s.formName);
  return out;
}

std::string Application::ShownFrom() const {
  for (auto it = sources_.rbegin(); it != sources_.rend(); ++it) {
    const Component* c = *it;
    if (c == nullptr) continue;
    const Form* f = c->OwnerForm();
    if (f == nullptr || f == c) return "shown from " + c->Name() + "'s handler";
    return "shown from " + f->Name() + "." + c->Name() + "'s handler";
  }
  if (activeForm_ != nullptr) return "shown while " + activeForm_->Name() + " was active";
  return "shown with no window active";
}

void Application::FormShown(Form* f) { ActivateForm(f); }

void Application::FormHidden(Form* f) {
  if (activeForm_ == f) activeForm_ = nullptr;
}

void Application::BeginModal(Form* f, Form*& previous) {
  previous = activeForm_;
  modalFrom_.push_back(ShownFrom());
  modalLog_.push_back(f->Name());
}

void Application::EndModal(Form*, Form* previous) {
  if (!modalFrom_.empty()) modalFrom_.pop_back();
  // The focus goes back without a new activation.
  activeForm_ = previous;
  if (previous != nullptr && previous->Visible()) {
    previous->Widget()->activateWindow();
    if (previous->ActiveControl() != nullptr) previous->SetActiveControl(previous->ActiveControl());
  }
}

void Application::ActivateForm(Form* f) {
  activeForm_ = f;
  if (f->ActiveControl() == nullptr || !f->ActiveControl()->CanFocus()) {
    Control* first = nullptr;
    for (Component* comp : f->Components()) {
      auto* c = dynamic_cast<Control*>(comp);
      if (c != nullptr && c->TabStop() && c->CanFocus()) {
        first = c;
        break;
      }
    }
    f->activeControl_ = first;
  }
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) f->Widget()->raise();
  f->Widget()->activateWindow();
  if (f->ActiveControl() != nullptr) f->SetActiveControl(f->ActiveControl());
  if (f->OnActivate) Dispatch(f->OnActivate, f);
}

void Application::RunModalLoop(Form* f) {
  if (scripted_) {
    const std::string from = modalFrom_.empty() ? std::string("shown from the test") : modalFrom_.back();
    if (modalScripts_.empty()) throw ScriptError("no script answers the modal window " + f->Name() + " (" + from + ")");
    ModalScript script = std::move(modalScripts_.front());
    modalScripts_.pop_front();
    if (!script.formName.empty() && script.formName != f->Name())
      throw ScriptError("the modal window " + f->Name() + " came up (" + from + ") where the script answers " +
                        script.formName);
    script.act(*f);
    if (!f->CloseRequested() && !terminated_)
      throw ScriptError("the script left the modal window " + f->Name() + " open (" + from + ")");
    return;
  }
  QEventLoop loop;
  impl_->loops.push_back(&loop);
  while (!f->CloseRequested() && !terminated_) loop.exec();
  impl_->loops.pop_back();
}

// --- Timers -----------------------------------------------------------------

void Application::TimerChanged(Timer* t) {
  if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) timers_.push_back(t);
  ArmRealTimer();
}

void Application::TimerGone(Timer* t) {
  timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end());
}

void Application::FireDueTimers(uint64_t now) {
  // Each pass fires the earliest due timer; handlers may change any timer.
  // A timer whose handler is still running (it has a modal window or the
  // error report up) is not entered again; the others go on.
  for (int guard = 0; guard < 1000000; ++guard) {
    Timer* next = nullptr;
    for (Timer* t : timers_)
      if (t->Enabled() && t->Interval() > 0 && !t->Running() && t->DueAt() <= now &&
          (next == nullptr || t->DueAt() < next->DueAt()))
        next = t;
    if (next == nullptr || terminated_) return;
    next->Fire(now);
  }
}

void Application::ArmRealTimer() {
  if (dynamic_cast<plat::ManualClock*>(&plat::GetClock()) != nullptr) return;
  uint64_t earliest = std::numeric_limits<uint64_t>::max();
  for (Timer* t : timers_)
    if (t->Enabled() && t->Interval() > 0 && !t->Running()) earliest = std::min(earliest, t->DueAt());
  if (earliest == std::numeric_limits<uint64_t>::max()) {
    impl_->realTimer.stop();
    return;
  }
  const uint64_t now = plat::GetClock().NowMs();
  impl_->realTimer.start(static_cast<int>(earliest > now ? std::min<uint64_t>(earliest - now, 1u << 30) : 0));
}

}  // namespace tk
