#include "support/program_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "platform/product_name.h"
#include "toolkit/controls.h"

namespace tovrek_test {

std::string TopicText(const std::vector<Record>& records, bool withEndLine) {
  std::vector<std::string> lines;
  for (const Record& r : records) {
    lines.push_back("[Q" + r.label);
    lines.push_back(r.media);
    lines.push_back(r.format);
    lines.insert(lines.end(), r.question.begin(), r.question.end());
    lines.push_back("[A");
    lines.insert(lines.end(), r.answer.begin(), r.answer.end());
  }
  if (withEndLine) lines.push_back("[[qend");
  return CrLfLines(lines);
}

std::string SimpleTopic(int questions) {
  std::vector<Record> records;
  for (int i = 1; i <= questions; ++i) {
    const std::string n = std::to_string(i);
    records.push_back({n, "", "FONT", {"Question " + n}, {"Answer " + n}});
  }
  return TopicText(records);
}

void ProgramTest::SetUp() {
  TempFolderTest::SetUp();
  plat::ResetProductNameForTests();
  app_ = std::make_unique<tk::Application>();
  tk::testing::UseManualClock(*app_, clock_);
  PutDefaultPicture();
}

void ProgramTest::TearDown() {
  // Every test: no script left unanswered, no error report it did not expect.
  if (app_) {
    for (const std::string& script : app_->PendingScripts()) ADD_FAILURE() << "unused script for " << script;
    for (const std::string& report : app_->ErrorReports()) ADD_FAILURE() << "unexpected error report: " << report;
  }
  program_.reset();
  app_.reset();
  tk::testing::ReleaseClock();
  plat::ResetProductNameForTests();
  plat::SetSchoolMountForTests(std::nullopt);
  TempFolderTest::TearDown();
}

std::string ProgramTest::SubjectsPath() const { return School() ? SharePath("tovrek$") + "/subjects" : "subjects"; }

void ProgramTest::WriteTopic(const std::string& subject, const std::string& topic, const std::string& text) {
  WriteFile(SubjectsPath() + "/" + subject + "/" + topic + ".txt", text);
}

std::vector<std::string> ProgramTest::TakeErrorReports() {
  std::vector<std::string> reports = app_->ErrorReports();
  app_->ClearErrorReports();
  return reports;
}

void ProgramTest::PutDefaultPicture() {
  std::filesystem::copy_file(std::filesystem::path(TOVREK_SOURCE_DIR) / "demo/default.jpg", "default.jpg",
                             std::filesystem::copy_options::overwrite_existing);
}

void ProgramTest::CreateProgram() {
  if (School()) {
    plat::SetSchoolMountForTests((Folder() / "server").string());
    MakeDirs(SubjectsPath());
    if (controlFile_) WriteFile(SharePath("tovrekcontrol$") + "/control.ini", CrLfLines({*controlFile_}));
  }
  program_ = std::make_unique<tovrek::Program>(*app_, schoolVersion_);
  tovrek::CreateWindows(*program_);
}

void ProgramTest::Start() {
  CreateProgram();
  app_->ShowMainForm();
}

void ProgramTest::Answer(const std::string& formName, std::function<void(tk::Form&)> act) {
  app_->QueueModalScript([formName, act = std::move(act)](tk::Form& f) {
    EXPECT_EQ(f.Name(), formName) << "another window came up";
    act(f);
  });
}

void ProgramTest::AnswerByClicking(const std::string& formName, const std::string& button) {
  Answer(formName, [button](tk::Form& f) {
    auto* b = dynamic_cast<tk::Control*>(f.FindComponent(button));
    ASSERT_NE(b, nullptr) << button;
    tk::testing::UserClick(*b);
  });
}

}  // namespace tovrek_test
