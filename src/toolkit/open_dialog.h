// The file-open dialog: existing files only, the working folder left as it
// is. Tests answer it with a path or Cancel instead of a person.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/control.h"

namespace tk {

class OpenDialog : public Component {
 public:
  OpenDialog(Form* form, std::string name);
  std::string Title;
  // "Label|*.jpg;*.bmp|Other|*.bmp": label and patterns in turn; the
  // patterns match names ignoring case.
  std::string Filter;
  // The chosen file as the system names it (a native path), 8-bit.
  std::string FileName;
  // True with FileName set when a file was chosen; false on Cancel.
  bool Execute();
  bool SetProperty(const std::string& name, const LayoutValue& value) override;
};

// The dialog's filter for Qt: "Label (*.[jJ][pP][gG] ...);;...", the label
// kept whole; the dialog shows only the label.
std::string QtFilterOf(const std::string& filter);

namespace testing {
// In scripted mode the next dialog takes the next answer: a native path,
// or nullopt for Cancel. The script may look at the dialog first.
void AnswerOpenDialog(std::function<std::optional<std::string>(OpenDialog&)> answer);
void AnswerOpenDialog(std::optional<std::string> path);
size_t PendingOpenDialogAnswers();
// The dialog as it would come up: the texts of its list of file types,
// and which of the given file names its folder view would show under the
// first of them.
struct OpenDialogView {
  std::vector<std::string> filters;
  std::vector<std::string> listed;
};
OpenDialogView ViewOf(OpenDialog& d, const std::vector<std::string>& names);
void ClearOpenDialogAnswers();
}  // namespace testing

}  // namespace tk
