// The shell-open action: hands a file to the desktop ("open", no
// parameters, shown normally) and does not wait.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/shell.h"
#include "toolkit/control.h"
#include "toolkit/timer.h"

namespace tk {

class ShellError : public std::runtime_error {
 public:
  ShellError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

class ShellOpenAction : public Component {
 public:
  ShellOpenAction(Form* form, std::string name);
  std::string FileName;
  std::string Directory;
  // Opens FileName as a document or a link, never as a program. Throws
  // ShellError with the system's text when the shell fails. An opener that
  // fails later, once it exits, is reported the same way by the error
  // report, without the window ever waiting for it.
  void Execute();
  // Starts FileName as a program: only for a program the caller names
  // itself, never for a name that comes from the files.
  void ExecuteProgram();
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

  // How often the openers still running are looked at.
  static constexpr uint32_t kOpenerWatchMs = 500;

 private:
  void Open(plat::ShellTarget target);
  void CollectOpeners();
  // Not one of the form's components: the layout alone decides those.
  std::unique_ptr<Timer> watch_;
};

}  // namespace tk
