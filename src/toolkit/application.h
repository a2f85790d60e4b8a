// The application object: forms, activation, modal loops, termination,
// timers and the standard error report.
#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/form.h"

namespace tk {

class Timer;

// Brings up Qt once per process. Headless runs set QT_QPA_PLATFORM=offscreen.
void InitToolkit(int& argc, char** argv);

// Blocks the user-interface thread (no events, no timers) on the platform
// clock, so tests see the sleep instead of waiting.
void Sleep(uint32_t ms);

class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Creates a form owned by the application; the first becomes the main
  // form. Its creation handler runs once its construction is complete.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    auto owned = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = owned.get();
    AdoptForm(std::move(owned));
    return raw;
  }
  // A form that is not one of the program's windows (the splash window is
  // created before the main form): owned, but never the main form.
  template <class T, class... Args>
  T* CreateSideForm(Args&&... args) {
    auto owned = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = owned.get();
    AdoptForm(std::move(owned), /*mayBeMain=*/false);
    return raw;
  }

  Form* MainForm() const { return mainForm_; }
  Form* ActiveForm() const { return activeForm_; }

  // Shows the main form (running its activation handler) and runs the
  // message loop until Terminate.
  void Run();
  // The first half of Run, for tests that drive the program themselves.
  void ShowMainForm();
  // Ends the message loop, and every modal loop, once the running handlers
  // have returned.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles pending events once (paint, timers due on the real clock).
  void ProcessMessages();

  // The standard error report: an error that escaped an event handler.
  void ShowException(const std::exception& e);
  // Runs an event handler the way the message loop does: an exception that
  // escapes it is reported and the program goes on. source is the control,
  // timer or form whose event it is (named in script faults).
  void Dispatch(const std::function<void()>& handler, const Component* source = nullptr);
  // Runs handler the same way, from the message loop once the running
  // handlers have returned. A timer's handler posts what would hold it
  // (a report, a window), so the timer goes on ticking while that is up.
  void Post(std::function<void()> handler, const Component* source = nullptr);
  // Runs what was posted, in order (toolkit internal: each loop's next
  // turn, and the manual clock after the ticks it fired).
  void RunPosted();
  size_t PendingPosts() const { return posted_.size(); }
  // The error report's title: the program's name.
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& t) { title_ = t; }

  // Scripted mode (tests): modal windows, error reports and the file-open
  // dialog are answered by scripts instead of waiting for a person.
  bool Scripted() const { return scripted_; }
  void SetScripted(bool v) { scripted_ = v; }
  void QueueModalScript(std::function<void(Form&)> script);
  // A script for the named window only: another window coming up in its
  // turn is a script fault.
  void QueueModalScript(const std::string& formName, std::function<void(Form&)> script);
  size_t PendingModalScripts() const { return modalScripts_.size(); }
  // The scripts no modal window has used yet ("TForm12", or "any window"),
  // for a fixture to check at the end of a test.
  std::vector<std::string> PendingScripts() const;
  const std::vector<std::string>& ErrorReports() const { return errorReports_; }
  void ClearErrorReports() { errorReports_.clear(); }
  // Names of the forms shown modally, in order.
  const std::vector<std::string>& ModalLog() const { return modalLog_; }

  // Timers (toolkit internals).
  void TimerChanged(Timer* t);
  void TimerGone(Timer* t);
  void FireDueTimers(uint64_t now);

  // Form bookkeeping (toolkit internals).
  void FormShown(Form* f);
  void FormHidden(Form* f);
  void BeginModal(Form* f, Form*& previous);
  void EndModal(Form* f, Form* previous);
  void RunModalLoop(Form* f);
  void WakeModalLoop();
  void ActivateForm(Form* f);
  static Application* Current();

 private:
  void AdoptForm(std::unique_ptr<Form> f, bool mayBeMain = true);
  void ArmRealTimer();

  std::vector<std::unique_ptr<Form>> forms_;
  Form* mainForm_ = nullptr;
  Form* activeForm_ = nullptr;
  bool terminated_ = false;
  bool scripted_ = false;
  std::string title_ = "Tovrek";
  struct ModalScript {
    std::string formName;  // empty: any window
    std::function<void(Form&)> act;
  };
  std::deque<ModalScript> modalScripts_;
  // Whose handlers are running, innermost last.
  std::vector<const Component*> sources_;
  // Where each open modal window was shown from, innermost last.
  std::vector<std::string> modalFrom_;
  std::string ShownFrom() const;
  std::vector<std::string> errorReports_;
  std::vector<std::string> modalLog_;
  std::vector<Timer*> timers_;
  struct Posted {
    std::function<void()> handler;
    const Component* source;
  };
  std::deque<Posted> posted_;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A fault in a test's script (a modal window nobody answered, a control
// that is not there). The dispatcher lets it through instead of reporting
// it, so it ends the test with its message.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tk
