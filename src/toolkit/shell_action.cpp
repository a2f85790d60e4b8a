#include "toolkit/shell_action.h"

#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/layout.h"

namespace tk {

ShellOpenAction::ShellOpenAction(Form* form, std::string name)
    : Component(form, std::move(name), "shellaction"), watch_(std::make_unique<Timer>(form, name_ + "OpenerWatch")) {
  watch_->SetEnabled(false);
  watch_->SetInterval(kOpenerWatchMs);
  watch_->OnTimer = [this] { CollectOpeners(); };
}

void ShellOpenAction::Execute() { Open(plat::ShellTarget::Document); }

void ShellOpenAction::ExecuteProgram() { Open(plat::ShellTarget::Program); }

void ShellOpenAction::Open(plat::ShellTarget target) {
  const plat::ShellResult r = plat::ShellOpen(FileName, Directory, target);
  if (r.code <= 32) throw ShellError(r.code, r.message);
  if (plat::OpenersPending()) watch_->SetEnabled(true);
}

void ShellOpenAction::CollectOpeners() {
  for (const plat::ShellResult& failed : plat::CollectFailedOpeners())
    form_->App().ShowException(ShellError(failed.code, failed.message));
  if (!plat::OpenersPending()) watch_->SetEnabled(false);
}

bool ShellOpenAction::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "FileName") return FileName = v.AsString(), true;
  if (name == "Directory") return Directory = v.AsString(), true;
  return false;
}

}  // namespace tk
