// The application object: forms, activation, modal loops, termination,
// timers and the standard error report.
#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
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
  // escapes it is reported and the program goes on.
  void Dispatch(const std::function<void()>& handler);

  // Scripted mode (tests): modal windows, error reports and the file-open
  // dialog are answered by scripts instead of waiting for a person.
  bool Scripted() const { return scripted_; }
  void SetScripted(bool v) { scripted_ = v; }
  void QueueModalScript(std::function<void(Form&)> script);
  size_t PendingModalScripts() const { return modalScripts_.size(); }
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
  int loopDepth_ = 0;
  std::deque<std::function<void(Form&)>> modalScripts_;
  std::vector<std::string> errorReports_;
  std::vector<std::string> modalLog_;
  std::vector<Timer*> timers_;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A fault in a test's script (a modal window nobody answered): not a
// std::exception, so the error report does not swallow it.
struct ScriptError {
  std::string message;
};

}  // namespace tk
