// The shell-open action: hands a file to the desktop ("open", no
// parameters, shown normally) and does not wait.
#pragma once

#include <stdexcept>
#include <string>

#include "toolkit/control.h"

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
  // Throws ShellError with the system's text when the shell fails.
  void Execute();
  bool SetProperty(const std::string& name, const LayoutValue& value) override;
};

}  // namespace tk
