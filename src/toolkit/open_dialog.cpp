#include "toolkit/open_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QRegularExpression>

#include <deque>

#include "toolkit/application.h"
#include "toolkit/layout.h"
#include "toolkit/qt_private.h"

namespace tk {

namespace {

std::deque<std::function<std::optional<std::string>(OpenDialog&)>>& Answers() {
  static std::deque<std::function<std::optional<std::string>(OpenDialog&)>> answers;
  return answers;
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t at = s.find(sep, start);
    parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

// "*.jpg" -> "*.[jJ][pP][gG]": the desktop matched names ignoring case.
std::string CaseFree(const std::string& pattern) {
  std::string out;
  for (const char c : pattern) {
    const bool lower = c >= 'a' && c <= 'z', upper = c >= 'A' && c <= 'Z';
    if (!lower && !upper) {
      out += c;
      continue;
    }
    const char l = lower ? c : static_cast<char>(c - 'A' + 'a');
    out += std::string("[") + l + static_cast<char>(l - 'a' + 'A') + "]";
  }
  return out;
}

}  // namespace

OpenDialog::OpenDialog(Form* form, std::string name) : Component(form, std::move(name), "opendialog") {}

std::string QtFilterOf(const std::string& filter) {
  const std::vector<std::string> parts = Split(filter, '|');
  std::string out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns;
    for (const std::string& p : Split(parts[i + 1], ';')) patterns += (patterns.empty() ? "" : " ") + CaseFree(p);
    // Qt takes the patterns from the last parentheses and, with the details
    // hidden, shows what stands before them: the label, whole.
    if (!out.empty()) out += ";;";
    out += parts[i] + " (" + patterns + ")";
  }
  return out;
}

namespace {

void Configure(QFileDialog& dialog, const OpenDialog& d) {
  dialog.setWindowTitle(ToQ(d.Title));
  dialog.setFileMode(QFileDialog::ExistingFile);
  // Not the desktop's own dialog: that one may change the working folder.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::ReadOnly, true);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setNameFilter(ToQ(QtFilterOf(d.Filter)));
}

}  // namespace

bool OpenDialog::Execute() {
  Application& app = OwnerForm()->App();
  if (app.Scripted()) {
    if (Answers().empty()) throw ScriptError("no answer for the file dialog " + OwnerForm()->Name() + "." + Name());
    auto answer = std::move(Answers().front());
    Answers().pop_front();
    const std::optional<std::string> path = answer(*this);
    if (!path) return false;
    FileName = *path;
    return true;
  }
  QFileDialog dialog(OwnerForm()->Widget());
  Configure(dialog, *this);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  FileName = dialog.selectedFiles().front().toLocal8Bit().toStdString();
  return true;
}

bool OpenDialog::SetProperty(const std::string& name, const LayoutValue& v) {
  if (name == "Title") return Title = v.AsString(), true;
  if (name == "Filter") return Filter = v.AsString(), true;
  return false;
}

namespace testing {

void AnswerOpenDialog(std::function<std::optional<std::string>(OpenDialog&)> answer) {
  Answers().push_back(std::move(answer));
}
void AnswerOpenDialog(std::optional<std::string> path) {
  AnswerOpenDialog([path](OpenDialog&) { return path; });
}
size_t PendingOpenDialogAnswers() { return Answers().size(); }

OpenDialogView ViewOf(OpenDialog& d, const std::vector<std::string>& names) {
  QFileDialog dialog(d.OwnerForm()->Widget());
  Configure(dialog, d);
  OpenDialogView view;
  auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  if (types == nullptr) throw ScriptError("the file dialog has no list of file types");
  for (int i = 0; i < types->count(); ++i) view.filters.push_back(FromQ(types->itemText(i)));
  // The patterns and the case rule the dialog's folder view filters with,
  // for the filter it opens with.
  auto* model = dialog.findChild<QFileSystemModel*>();
  if (model == nullptr) throw ScriptError("the file dialog has no folder view");
  const Qt::CaseSensitivity cs = model->filter().testFlag(QDir::CaseSensitive) ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (const std::string& name : names) {
    for (const QString& pattern : model->nameFilters()) {
      if (QRegularExpression::fromWildcard(pattern, cs).match(ToQ(name)).hasMatch()) {
        view.listed.push_back(name);
        break;
      }
    }
  }
  return view;
}
void ClearOpenDialogAnswers() { Answers().clear(); }

}  // namespace testing

}  // namespace tk
