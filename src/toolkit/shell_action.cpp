#include "toolkit/shell_action.h"

#include "platform/shell.h"
#include "toolkit/layout.h"

namespace tk {

ShellOpenAction::ShellOpenAction(Form* form, std::string name) : Component(form, std::move(name), "shellaction") {}

void ShellOpenAction::Execute() {
  const plat::ShellResult r = plat::ShellOpen(FileName, Directory);
  if (r.code <= 32) throw ShellError(r.code, r.message);
}

bool ShellOpenAction::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "FileName") return FileName = v.AsString(), true;
  if (name == "Directory") return Directory = v.AsString(), true;
  return false;
}

}  // namespace tk
