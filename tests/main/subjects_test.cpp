// Subjects and topics as the learner meets them: the lists, the verdict on
// a topic file, and the subject, topic and Refresh handlers.
#include <gtest/gtest.h>

#include <filesystem>

#include "main/Tovrek_Unit10.h"
#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

namespace fs = std::filesystem;

class SubjectsTest : public ProgramTest {
 protected:
  // Answers the problem window with Ok and keeps what it said.
  void ExpectProblem() {
    Answer("Form10", [this](tk::Form&) {
      reported_.push_back(P().Form10->LblDescription->Caption());
      tk::testing::UserClick(*P().Form10->BtnOk);
    });
  }
  int IndexOfSubject(const std::string& name) { return F1().CbxSubject->IndexOf(name); }
  std::vector<std::string> reported_;
};

TEST_F(SubjectsTest, ListsSubjectsSortedAndTopicsByTheirTxtEnding) {
  WriteTopic("physics", "Motion", SimpleTopic(2));
  WriteTopic("Art", "Colour", SimpleTopic(2));
  WriteTopic("Art", "SHAPES", SimpleTopic(2));
  WriteFile(SubjectsPath() + "/Art/Upper.TXT", SimpleTopic(2));
  WriteFile(SubjectsPath() + "/Art/Notes.txt.bak", "x");
  WriteFile(SubjectsPath() + "/Art/readme.doc", "x");
  fs::create_directories(SubjectsPath() + "/Art/Folder.txt");
  fs::create_directories(SubjectsPath() + "/With.Dot");
  WriteFile(SubjectsPath() + "/Plainfile", "x");  // no extension: listed like a folder
  fs::create_directories(SubjectsPath() + "/.hidden");
  Start();
  EXPECT_EQ(F1().CbxSubject->Items(), (std::vector<std::string>{"Art", "physics", "Plainfile"}));
  EXPECT_EQ(F1().CbxTopic->Items(), (std::vector<std::string>{"Colour", "Folder", "SHAPES", "Upper"}));
}

struct VerdictCase {
  const char* name;
  std::string text;
  const char* report;  // nullptr: a valid topic
};

void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

class TopicVerdict : public SubjectsTest, public ::testing::WithParamInterface<VerdictCase> {};

const char* const kTooFew = "This Topic has less than 2 questions (must be 2 or more).";
const char* const kCorrupt = "Corrupt or invalid Topic file. This Topic cannot be loaded.";

TEST_P(TopicVerdict, FirstTopicIsJudgedByItsCounts) {
  const VerdictCase& c = GetParam();
  WriteTopic("Maths", "Topic", c.text);
  if (c.report != nullptr) ExpectProblem();
  Start();
  if (c.report == nullptr) {
    EXPECT_TRUE(reported_.empty());
    EXPECT_TRUE(F1().BtnStartStop->Enabled());
  } else {
    EXPECT_EQ(reported_, std::vector<std::string>{c.report});
    EXPECT_FALSE(F1().BtnStartStop->Enabled());
    EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, TopicVerdict,
    ::testing::Values(VerdictCase{"Empty", "", kTooFew}, VerdictCase{"OnlyEndLine", "[[qend\r\n", kTooFew},
                      VerdictCase{"OneRecord", SimpleTopic(1), kTooFew}, VerdictCase{"TwoRecords", SimpleTopic(2), nullptr},
                      VerdictCase{"EndLineInCapitals", CrLfLines({"[Q1", "", "FONT", "q", "[A", "a", "[Q2", "", "FONT", "q", "[A", "a", "[[QEND"}), kCorrupt},
                      VerdictCase{"EndLineWithTrailingBlank", CrLfLines({"[Q1", "", "FONT", "q", "[A", "a", "[Q2", "", "FONT", "q", "[A", "a", "[[qend "}), kCorrupt},
                      VerdictCase{"LowerCaseMarkers", CrLfLines({"[q1", "", "FONT", "q", "[a", "a", "[q2", "", "FONT", "q", "[a", "a", "[[qend"}), nullptr},
                      VerdictCase{"ThirdQuestionWithoutAnswer", CrLfLines({"[Q1", "", "FONT", "q", "[A", "a", "[Q2", "", "FONT", "q", "[A", "a", "[Q3", "", "FONT", "q", "[[qend"}), kCorrupt}),
    [](const ::testing::TestParamInfo<VerdictCase>& i) { return std::string(i.param.name); });

TEST_F(SubjectsTest, TopicLabelStarsATopicWithAFormatCode) {
  std::vector<Record> records;
  for (int i = 1; i <= 5; ++i) records.push_back({std::to_string(i), "", i == 3 ? "aaaaaaaaaa" : "RESERVED", {"q"}, {"a"}});
  WriteTopic("Maths", "Coded", TopicText(records));
  WriteTopic("Maths", "Plain", SimpleTopic(5));
  Start();
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  5  QUESTIONS *");
  tk::testing::UserPick(*F1().CbxTopic, 1);
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  5  QUESTIONS");
}

TEST_F(SubjectsTest, ChoosingASubjectListsItsTopicsAndScansTheFirst) {
  WriteTopic("Art", "Colour", SimpleTopic(4));
  WriteTopic("Maths", "Sums", SimpleTopic(7));
  WriteTopic("Maths", "Tables", SimpleTopic(3));
  Start();
  tk::testing::UserPick(*F1().CbxSubject, IndexOfSubject("Maths"));
  EXPECT_TRUE(Modals().empty());
  EXPECT_EQ(F1().CbxTopic->Items(), (std::vector<std::string>{"Sums", "Tables"}));
  EXPECT_EQ(F1().CbxTopic->Text(), "Sums");
  EXPECT_EQ(F1().PnlNumber->Caption(), "0  of  7");
  EXPECT_EQ(U().TotalQuestions, 7);
  EXPECT_TRUE(F1().CbxTopic->Focused());
  EXPECT_EQ(F1().PnlAnswer->Caption(), "KNOWLEDGE SYSTEM");
  EXPECT_EQ(F1().BtnClock->Caption(), "Au&tomatic   Advance");
}

// Another subject keeps the sequence list as the mode has it: Practice
// runs in Random only, so there the list stays locked.
TEST_F(SubjectsTest, ChoosingASubjectKeepsTheSequenceListAsTheModeHasIt) {
  WriteTopic("Art", "Colour", SimpleTopic(4));
  WriteTopic("Maths", "Sums", SimpleTopic(7));
  Start();
  for (const char* mode : {"Practice", "Learning", "Test"}) {
    SCOPED_TRACE(mode);
    tk::testing::UserPick(*F1().CbxMode, F1().CbxMode->IndexOf(mode));
    for (const char* subject : {"Maths", "Art"}) {
      tk::testing::UserPick(*F1().CbxSubject, IndexOfSubject(subject));
      ASSERT_EQ(F1().CbxTopic->Text(), subject == std::string("Maths") ? "Sums" : "Colour");
      EXPECT_EQ(F1().CbxSequence->Enabled(), mode != std::string("Practice")) << subject;
      if (mode == std::string("Practice")) {
        EXPECT_EQ(F1().CbxSequence->Text(), "Random");
      }
    }
  }
  EXPECT_TRUE(Modals().empty());
}

TEST_F(SubjectsTest, SubjectWithoutTopicsIsReported) {
  WriteTopic("Art", "Colour", SimpleTopic(4));
  fs::create_directories(SubjectsPath() + "/Empty");
  Start();
  ExpectProblem();
  tk::testing::UserPick(*F1().CbxSubject, IndexOfSubject("Empty"));
  EXPECT_EQ(reported_, std::vector<std::string>{"No Topics have been created for this Subject."});
  EXPECT_FALSE(F1().CbxTopic->Enabled());
}

TEST_F(SubjectsTest, AnInvalidTopicLeavesTheCounterAsItWas) {
  WriteTopic("Maths", "A Good", SimpleTopic(6));
  WriteTopic("Maths", "B Bad", SimpleTopic(1));
  Start();
  ExpectProblem();
  tk::testing::UserPick(*F1().CbxTopic, 1);
  EXPECT_EQ(reported_, std::vector<std::string>{kTooFew});
  EXPECT_EQ(F1().PnlNumber->Caption(), "0  of  6");
  EXPECT_EQ(U().TotalQuestions, 6);
  EXPECT_EQ(U().Flags.TooFewQuestions, 0) << "acknowledged";

  // Back to a valid topic: the sequence list stays greyed until a Refresh.
  tk::testing::UserPick(*F1().CbxTopic, 0);
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
  EXPECT_FALSE(F1().CbxSequence->Enabled());
  EXPECT_FALSE(F1().BtnClock->Enabled());
}

// The school variant does not look for the file before scanning it.
TEST_F(SubjectsTest, AVanishedTopicFileRefreshesEverything) {
  UseLocalVariant();
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  WriteTopic("Maths", "Tables", SimpleTopic(4));
  Start();
  fs::remove(SubjectsPath() + "/Maths/Tables.txt");
  tk::testing::UserPick(*F1().CbxTopic, 1);
  EXPECT_EQ(F1().CbxTopic->Items(), std::vector<std::string>{"Sums"});
  EXPECT_EQ(F1().CbxTopic->Text(), "Sums");
  EXPECT_TRUE(F1().CbxSubject->Focused());
}

TEST_F(SubjectsTest, AVanishedSubjectFolderReloadsTheListsWithoutAReport) {
  WriteTopic("Art", "Colour", SimpleTopic(2));
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  Start();
  fs::remove_all(SubjectsPath() + "/Maths");
  tk::testing::UserPick(*F1().CbxSubject, IndexOfSubject("Maths"));
  EXPECT_TRUE(Modals().empty());
  EXPECT_EQ(F1().CbxSubject->Items(), std::vector<std::string>{"Art"});
  EXPECT_EQ(F1().CbxTopic->Text(), "Colour");
}

TEST_F(SubjectsTest, RefreshRestoresTheIdleLayoutAndTheFirstSubject) {
  WriteTopic("Art", "Colour", SimpleTopic(2));
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  Start();
  tk::testing::UserPick(*F1().CbxSubject, IndexOfSubject("Maths"));
  F1().CbxMode->SetItemIndex(2);
  F1().CbxSequence->SetItemIndex(1);
  F1().CheckBox1->SetEnabled(true);
  F1().CheckBox1->SetChecked(true);
  F1().ShowStatistics();
  F1().BtnClock->SetBounds(1, 2, 3, 4);
  F1().BmbCorrect->SetVisible(true);
  U().AutoAdvanceOn = true;

  tk::testing::UserClick(*F1().BtnRefresh);
  EXPECT_EQ(F1().CbxSubject->Text(), "Art");
  EXPECT_EQ(F1().CbxMode->Text(), "Learning");
  EXPECT_EQ(F1().CbxSequence->Text(), "Regular");
  EXPECT_FALSE(F1().CheckBox1->Checked());
  EXPECT_FALSE(F1().CheckBox1->Enabled());
  EXPECT_FALSE(F1().Gauge1->Visible());
  EXPECT_FALSE(F1().Label7->Visible());
  EXPECT_FALSE(F1().BmbCorrect->Visible());
  EXPECT_FALSE(U().AutoAdvanceOn);
  EXPECT_EQ(F1().BtnClock->Left(), 480);
  EXPECT_EQ(F1().BtnClock->Width(), 232);
  EXPECT_EQ(F1().BtnClock->Caption(), "Au&tomatic  Advance");
  EXPECT_TRUE(F1().BtnSearch->Visible());
  EXPECT_FALSE(F1().BtnSearch->Enabled());
  EXPECT_TRUE(F1().BtnClock->Enabled());
  EXPECT_TRUE(F1().CbxSubject->Focused());
}

TEST_F(SubjectsTest, ListsIgnoreBackspace) {
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  Start();
  for (tk::DropDownList* list : {F1().CbxSubject, F1().CbxTopic, F1().CbxMode, F1().CbxSequence}) {
    char backspace = 8, letter = 'm';
    ASSERT_TRUE(list->OnKeyPress) << list->Name();
    list->OnKeyPress(backspace);
    list->OnKeyPress(letter);
    EXPECT_EQ(backspace, 0) << list->Name();
    EXPECT_EQ(letter, 'm') << list->Name();
  }
}

// A folder named like a topic is listed but cannot be read.
TEST_F(SubjectsTest, AnUnreadableTopicOfAChosenSubjectIsReportedAndTheProgramGoesOn) {
  WriteTopic("Art", "Colour", SimpleTopic(2));
  fs::create_directories(SubjectsPath() + "/Maths/A Broken.txt");
  WriteTopic("Maths", "B Sums", SimpleTopic(3));
  Start();
  tk::testing::UserPick(*F1().CbxSubject, IndexOfSubject("Maths"));
  const std::vector<std::string> reports = TakeErrorReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("A Broken.txt"), std::string::npos) << reports[0];
  EXPECT_TRUE(Modals().empty());
  EXPECT_FALSE(F1().BtnStartStop->Enabled());
  tk::testing::UserPick(*F1().CbxTopic, 1);
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  3  QUESTIONS");
}

TEST_F(SubjectsTest, ASubjectWithTopicsAfterAnEmptyOneGivesTheTopicListBack) {
  WriteTopic("Art", "Colour", SimpleTopic(4));
  fs::create_directories(SubjectsPath() + "/Empty");
  Start();
  ExpectProblem();
  tk::testing::UserPick(*F1().CbxSubject, IndexOfSubject("Empty"));
  ASSERT_FALSE(F1().CbxTopic->Enabled());
  tk::testing::UserPick(*F1().CbxSubject, IndexOfSubject("Art"));
  EXPECT_TRUE(F1().CbxTopic->Enabled());
  EXPECT_EQ(F1().CbxTopic->GetColor(), tk::clWhite);
  EXPECT_EQ(F1().CbxTopic->Text(), "Colour");
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
  EXPECT_EQ(F1().PnlNumber->Caption(), "0  of  4");
}

TEST_F(SubjectsTest, RefreshGivesTheSequenceListBackAfterAnInvalidTopic) {
  WriteTopic("Maths", "A Good", SimpleTopic(6));
  WriteTopic("Maths", "B Bad", SimpleTopic(1));
  Start();
  ExpectProblem();
  tk::testing::UserPick(*F1().CbxTopic, 1);
  tk::testing::UserPick(*F1().CbxTopic, 0);
  ASSERT_FALSE(F1().CbxSequence->Enabled());
  tk::testing::UserClick(*F1().BtnRefresh);
  EXPECT_TRUE(F1().CbxSequence->Enabled());
  EXPECT_EQ(F1().CbxSequence->Text(), "Regular");
  EXPECT_TRUE(F1().BtnClock->Enabled());
}

// Whatever the window showed, a new topic brings back the idle display.
TEST_F(SubjectsTest, ChangingTheTopicRestoresTheIdleDisplay) {
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  WriteTopic("Maths", "Tables", SimpleTopic(4));
  Start();
  tovrek::TForm1& f = F1();
  f.MemoQuestion->SetVisible(true);
  f.PnlQuestion->SetVisible(false);
  f.MemoAnswer->SetVisible(true);
  f.PnlAnswer->SetVisible(false);
  f.PnlAnswer->SetCaption("Thank You!");
  f.LblCorrect->SetCaption("5");
  f.Gauge1->SetProgress(40);
  tk::testing::UserPick(*f.CbxTopic, 1);
  EXPECT_FALSE(f.MemoQuestion->Visible());
  EXPECT_TRUE(f.PnlQuestion->Visible());
  EXPECT_FALSE(f.MemoAnswer->Visible());
  EXPECT_TRUE(f.PnlAnswer->Visible());
  EXPECT_EQ(f.PnlAnswer->Caption(), "KNOWLEDGE SYSTEM");
  EXPECT_EQ(f.LblCorrect->Caption(), "0");
  EXPECT_EQ(f.Gauge1->Progress(), 0);
  EXPECT_EQ(f.PnlNumber->Caption(), "0  of  4");
}

}  // namespace
}  // namespace tovrek_test
