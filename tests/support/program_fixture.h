// Starts the whole program headless in a fresh working folder, with the
// manual clock and scripts that answer its modal windows, so tests can act
// as a learner would and read the controls by their names.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "main/program.h"
#include "platform/clock.h"
#include "support/temp_folder.h"
#include "toolkit/application.h"
#include "toolkit/testing.h"

namespace tovrek_test {

// One question record of a topic file.
struct Record {
  std::string label;
  std::string media;
  std::string format;
  std::vector<std::string> question;
  std::vector<std::string> answer;
};

// A topic file's text: the records, then the end line.
std::string TopicText(const std::vector<Record>& records, bool withEndLine = true);
// n plain records labelled 1..n.
std::string SimpleTopic(int questions);

class ProgramTest : public TempFolderTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The variant the program starts in; the build option's by default.
  // Choose before CreateProgram. The school variant's server shares lie
  // below "server" in the test's folder, its control file reads "RUN".
  void UseSchoolVariant() { schoolVersion_ = 1; }
  void UseLocalVariant() { schoolVersion_ = 0; }
  bool School() const { return schoolVersion_ != 0; }
  // A share of the school server, as a relative native path ("server/tovrek$").
  static std::string SharePath(const std::string& share) { return "server/" + share; }
  // The control file's text (school variant); nullptr: no control file.
  void SetControlFile(const char* text) { controlFile_ = text ? std::optional<std::string>(text) : std::nullopt; }

  // Knowledge base below the working folder, or on the server's share in
  // the school variant.
  void WriteTopic(const std::string& subject, const std::string& topic, const std::string& text);
  // The folder of the knowledge base ("subjects" or the share's).
  std::string SubjectsPath() const;
  void PutDefaultPicture();

  // Everything before the message loop, then the first activation.
  void CreateProgram();
  void Start();

  // Answers the next modal window, which must be `formName`, with `act`.
  void Answer(const std::string& formName, std::function<void(tk::Form&)> act);
  // Answers the next modal window by clicking `button` (a button's name).
  void AnswerByClicking(const std::string& formName, const std::string& button);

  tk::Application& App() { return *app_; }
  tovrek::Program& P() { return *program_; }
  tovrek::TForm1& F1() { return *program_->Form1; }
  tovrek::Unit1State& U() { return program_->Unit1; }
  plat::ManualClock& Clock() { return clock_; }

  // The modal windows shown so far, in order.
  const std::vector<std::string>& Modals() const { return app_->ModalLog(); }
  // The error reports shown so far, which the test thereby expects; any
  // report not taken fails the test at its end.
  std::vector<std::string> TakeErrorReports();

 private:
  int schoolVersion_ = tovrek::kBuildSchoolVersion;
  std::optional<std::string> controlFile_ = "RUN";
  plat::ManualClock clock_{1000};
  std::unique_ptr<tk::Application> app_;
  std::unique_ptr<tovrek::Program> program_;
};

}  // namespace tovrek_test
