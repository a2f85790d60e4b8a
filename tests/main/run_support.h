// A learner's run on the main window: a topic written, the program started,
// mode, sequence and variant picked, then Start.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "main/Tovrek_Unit1.h"
#include "main/Tovrek_Unit10.h"
#include "main/Tovrek_Unit9.h"
#include "support/program_fixture.h"

namespace tovrek_test {

class RunTest : public ProgramTest {
 protected:
  // The school share holds the whole tree, its pictures folder included,
  // which only a local start makes itself.
  void Start() {
    if (School()) {
      MakeDirs(SharePath("tovrek$") + "/setup/pictures");
      std::filesystem::copy_file(std::filesystem::path(TOVREK_SOURCE_DIR) / "demo/default.jpg",
                                 SharePath("tovrek$") + "/setup/pictures/default.jpg",
                                 std::filesystem::copy_options::overwrite_existing);
    }
    ProgramTest::Start();
  }
  // Picks the mode and sequence as a learner does, and ticks the variant box.
  void Choose(const std::string& mode, const std::string& sequence = "", bool variant = false) {
    tovrek::TForm1& f = F1();
    tk::testing::UserPick(*f.CbxMode, f.CbxMode->IndexOf(mode));
    if (!sequence.empty() && f.CbxSequence->Text() != sequence)
      tk::testing::UserPick(*f.CbxSequence, f.CbxSequence->IndexOf(sequence));
    if (variant) {
      ASSERT_TRUE(f.CheckBox1->Enabled()) << "the variant box is disabled in " << mode;
      // A click at the box's centre misses the short " Eliminator" caption;
      // ticking it runs the same handler.
      f.CheckBox1->SetChecked(true);
    }
  }
  // Writes the topic, starts the program and picks the run.
  void Prepare(const std::string& topic, const std::string& mode = "Learning", const std::string& sequence = "",
               bool variant = false) {
    WriteTopic("Subject", "Topic", topic);
    Start();
    Choose(mode, sequence, variant);
  }
  void ClickStart() { tk::testing::UserClick(*F1().BtnStartStop); }
  void ClickNext() { tk::testing::UserClick(*F1().BtnNext); }
  void ClickBack() { tk::testing::UserClick(*F1().BtnPrevious); }
  void ShowAnswer() { tk::testing::UserClick(*F1().PnlAnswer); }
  void MarkCorrect() { tk::testing::UserClick(*F1().BmbCorrect); }
  void MarkIncorrect() { tk::testing::UserClick(*F1().BmbIncorrect); }

  std::string StartCaption() { return F1().BtnStartStop->Caption(); }
  std::string Number() { return F1().PnlNumber->Caption(); }
  // The label of the question on display, from the number panel.
  std::string Label() {
    const std::string n = Number();
    return n.substr(0, n.find("  of  "));
  }
  std::vector<std::string> QuestionLines() { return F1().MemoQuestion->Lines(); }
  std::vector<std::string> AnswerLines() { return F1().MemoAnswer->Lines(); }
  std::string Focused() {
    tk::Control* c = F1().ActiveControl();
    return c == nullptr ? "" : c->Name();
  }
  // The media folder of the running variant, as a native relative path.
  std::string MediaPath() const { return School() ? SharePath("tovrek$") + "/mediafiles" : "mediafiles"; }
  void PutPicture(const std::string& name) {
    MakeDirs(MediaPath());
    std::filesystem::copy_file(std::filesystem::path(TOVREK_SOURCE_DIR) / "demo/default.jpg", MediaPath() + "/" + name,
                               std::filesystem::copy_options::overwrite_existing);
  }
  void PutMediaFile(const std::string& name, const std::string& text) { WriteFile(MediaPath() + "/" + name, text); }

  // Answers the problem window with Ok and keeps its description.
  void ExpectProblem() {
    Answer("Form10", [this](tk::Form&) {
      problems_.push_back(P().Form10->LblDescription->Caption());
      mediaList_ = P().Form10->ListBox->Items();
      tk::testing::UserClick(*P().Form10->BtnOk);
    });
  }
  // Opens the automatic-advance window and sets the item's interval.
  void SetAutoAdvance(const std::string& item) {
    Answer("Form9", [item](tk::Form& f) {
      auto& w = static_cast<tovrek::TForm9&>(f);
      const auto& items = w.RadioGroup1->Items();
      const auto at = std::find(items.begin(), items.end(), item);
      ASSERT_NE(at, items.end()) << item;
      tk::testing::UserPick(*w.RadioGroup1, static_cast<int>(at - items.begin()));
      tk::testing::UserClick(*w.BtnSet);
    });
    tk::testing::UserClick(*F1().BtnClock);
  }

  std::vector<std::string> problems_;
  std::vector<std::string> mediaList_;
};

// n records labelled 1..n, each with its own media and format lines.
inline std::string TopicOf(const std::vector<Record>& records) { return TopicText(records); }

}  // namespace tovrek_test
