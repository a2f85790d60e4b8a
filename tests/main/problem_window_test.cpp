// The problem window: which report the flags give, what each report does to
// the main window, and that every way out acknowledges the problem.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "main/Tovrek_Unit10.h"
#include "platform/product_name.h"
#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;
using tk::testing::UserCloseWindow;
using tk::testing::UserKey;
using tk::testing::UserPick;
using tovrek::TForm10;
using tovrek::Unit1State;

constexpr const char* kFiveQuestions = "TOPIC  ...  5  QUESTIONS";

// The texts, as the learner reads them.
constexpr const char* kPictureText = "The default picture file DEFAULT.JPG is missing.";
constexpr const char* kPictureAction = "Copy DEFAULT.JPG to the same folder as TOVREK.EXE.";
constexpr const char* kOsText = "Only Windows 98 / 2000 / XP / Vista / 7 are currently supported.";
constexpr const char* kOsAction = "Please check your Operating System / platform.";
constexpr const char* kNoSubjectsText = "No sub-folders were found in the Subjects folder.";
constexpr const char* kNoSubjectsAction = "Use the Editor to create Subjects and Topics.";
constexpr const char* kNoTopicsText = "No Topics have been created for this Subject.";
constexpr const char* kNoTopicsAction = "Use the Editor to create a new Topic, or select another Subject.";
constexpr const char* kTooFewText = "This Topic has less than 2 questions (must be 2 or more).";
constexpr const char* kTooFewAction = "Use Editor to add more questions, or select another Subject / Topic.";
constexpr const char* kCorruptText = "Corrupt or invalid Topic file. This Topic cannot be loaded.";
constexpr const char* kCorruptAction = "Use Notepad to fix the Topic file, or select another Subject / Topic.";
constexpr const char* kMediaText = "Media files not found / invalid  ---->";
constexpr const char* kMediaAction = "Copy these files to \\Mediafiles sub-folder.";
constexpr const char* kEditorText = "The executable file < Edit.exe > cannot be found.";
constexpr const char* kEditorAction = "Copy Edit.exe to the same folder as Tovrek.exe.";

void ClickOk(TForm10& w) { UserClick(*w.BtnOk); }

class ProblemWindowTest : public ProgramTest {
 protected:
  TForm10& W() { return *P().Form10; }

  // A program idling on a valid five-question topic, nothing reported yet.
  void StartIdle() {
    WriteTopic("Maths", "Sums", SimpleTopic(5));
    Start();
    ASSERT_TRUE(Modals().empty());
    ASSERT_TRUE(F1().BtnStartStop->Enabled());
  }

  // Shows the problem window the way the main window's handlers do; `inside`
  // looks at it while it is up, then `leave` takes it down.
  void ShowProblem(const std::function<void(TForm10&)>& inside,
                   const std::function<void(TForm10&)>& leave = ClickOk) {
    Answer("Form10", [&](tk::Form&) {
      if (inside) inside(W());
      leave(W());
    });
    W().ShowModal();
  }

  bool VerdictCleared() {
    return U().Flags.TopicInvalid == 0 && U().Flags.TooFewQuestions == 0 && U().Flags.NoTopics == 0 && U().Flags.TopicCorrupt == 0;
  }
};

// --- Which report ------------------------------------------------------------

struct TextCase {
  const char* name;
  void (*flags)(Unit1State&);
  bool noSubjects;  // the subject list is empty
  const char* description;
  const char* action;
  bool listShown;
  bool fatal;
  uint8_t mediaFilesOkAfter;
  uint8_t editorMissingAfter;
};

const TextCase kTextCases[] = {
    {"DefaultPictureMissing", [](Unit1State& u) { u.Flags.DefaultPictureMissing = 1; }, false, kPictureText,
     kPictureAction, false, true, 1, 0},
    {"UnsupportedOS", [](Unit1State& u) { u.Flags.UnsupportedOS = 1; }, false, kOsText, kOsAction, false, true, 1, 0},
    {"BothFatalReportThePicture",
     [](Unit1State& u) {
       u.Flags.UnsupportedOS = 1;
       u.Flags.DefaultPictureMissing = 1;
     },
     false, kPictureText, kPictureAction, false, true, 1, 0},
    // Only the fatal report; the media and editor reports stay pending.
    {"FatalHidesEveryOtherReport",
     [](Unit1State& u) {
       u.Flags.UnsupportedOS = 1;
       u.Flags.TooFewQuestions = 1;
       u.Flags.TopicCorrupt = 1;
       u.Flags.MediaFilesOk = 0;
       u.Flags.EditorMissing = 1;
     },
     false, kOsText, kOsAction, false, true, 0, 1},
    {"TooFewWithNoSubjects", [](Unit1State& u) { u.Flags.TooFewQuestions = 1; }, true, kNoSubjectsText,
     kNoSubjectsAction, false, false, 1, 0},
    {"NoSubjectsWinsOverNoTopics",
     [](Unit1State& u) {
       u.Flags.TooFewQuestions = 1;
       u.Flags.NoTopics = 1;
     },
     true, kNoSubjectsText, kNoSubjectsAction, false, false, 1, 0},
    {"NoTopics",
     [](Unit1State& u) {
       u.Flags.TooFewQuestions = 1;
       u.Flags.NoTopics = 1;
       u.Flags.TopicInvalid = 1;
     },
     false, kNoTopicsText, kNoTopicsAction, false, false, 1, 0},
    {"TooFewQuestions", [](Unit1State& u) { u.Flags.TooFewQuestions = 1; }, false, kTooFewText, kTooFewAction, false,
     false, 1, 0},
    {"TooFewWinsOverCorrupt",
     [](Unit1State& u) {
       u.Flags.TooFewQuestions = 1;
       u.Flags.TopicCorrupt = 1;
     },
     false, kTooFewText, kTooFewAction, false, false, 1, 0},
    {"TopicCorrupt",
     [](Unit1State& u) {
       u.Flags.TopicCorrupt = 1;
       u.Flags.TopicInvalid = 1;
     },
     false, kCorruptText, kCorruptAction, false, false, 1, 0},
    {"BadMediaLines", [](Unit1State& u) { u.Flags.MediaFilesOk = 0; }, false, kMediaText, kMediaAction, true, false, 1,
     0},
    {"BadMediaAfterAVerdict",
     [](Unit1State& u) {
       u.Flags.TopicCorrupt = 1;
       u.Flags.MediaFilesOk = 0;
     },
     false, kMediaText, kMediaAction, true, false, 1, 0},
    {"EditorMissing", [](Unit1State& u) { u.Flags.EditorMissing = 1; }, false, kEditorText, kEditorAction, false, false,
     1, 0},
    {"EditorAfterAVerdict",
     [](Unit1State& u) {
       u.Flags.TooFewQuestions = 1;
       u.Flags.EditorMissing = 1;
     },
     false, kEditorText, kEditorAction, false, false, 1, 0},
    {"EditorAfterBadMedia",
     [](Unit1State& u) {
       u.Flags.MediaFilesOk = 0;
       u.Flags.EditorMissing = 1;
     },
     false, kEditorText, kEditorAction, false, false, 1, 0},
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class ProblemTextTest : public ProblemWindowTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(ProblemTextTest, ReportsTheTextsTheFlagsChooseWithOkFocused) {
  const TextCase& c = GetParam();
  StartIdle();
  if (c.noSubjects) F1().CbxSubject->ClearItems();
  c.flags(U());
  ShowProblem([&](TForm10& w) {
    EXPECT_EQ(w.LblDescription->Caption(), c.description);
    EXPECT_EQ(w.LblSeverity->Caption(), c.action);
    EXPECT_EQ(w.ListBox->Visible(), c.listShown);
    EXPECT_TRUE(w.BtnOk->Focused());
    // Reset as soon as reported, not on acknowledgement.
    EXPECT_EQ(U().Flags.MediaFilesOk, c.mediaFilesOkAfter);
    EXPECT_EQ(U().Flags.EditorMissing, c.editorMissingAfter);
  });
  EXPECT_EQ(App().Terminated(), c.fatal);
  EXPECT_EQ(U().Flags.MediaFilesOk, c.mediaFilesOkAfter);
  EXPECT_EQ(U().Flags.EditorMissing, c.editorMissingAfter);
  if (!c.fatal) {
    EXPECT_TRUE(VerdictCleared());
  }
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form10"});
}

INSTANTIATE_TEST_SUITE_P(Flags, ProblemTextTest, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProblemWindowTest, ReportedMediaAndEditorProblemsAreNotReportedAgain) {
  StartIdle();
  U().Flags.MediaFilesOk = 0;
  ShowProblem({});
  // Nothing new: the texts and the list of the last showing stay.
  ShowProblem([](TForm10& w) {
    EXPECT_EQ(w.LblDescription->Caption(), kMediaText);
    EXPECT_TRUE(w.ListBox->Visible());
  });
  U().Flags.EditorMissing = 1;
  ShowProblem({});
  U().Flags.TopicCorrupt = 1;
  ShowProblem([](TForm10& w) {
    EXPECT_EQ(w.LblDescription->Caption(), kCorruptText);
    EXPECT_FALSE(w.ListBox->Visible());
  });
  EXPECT_EQ(U().Flags.MediaFilesOk, 1);
  EXPECT_EQ(U().Flags.EditorMissing, 0);
  EXPECT_FALSE(App().Terminated());
}

// --- What each report does to the main window --------------------------------

struct MainWindowCase {
  const char* name;
  void (*flags)(Unit1State&);
  bool noSubjects;
  bool subjectDisabled;
  int schoolVersion;
  // The main window afterwards.
  bool topicEnabled;
  tk::Color topicColour;
  bool subjectEnabled;
  tk::Color subjectColour;
  const char* topicLabel;
  bool runControlsEnabled;  // BtnStartStop, CbxMode, CbxSequence
  bool checkEnabled;
  bool checkChecked;
  tk::Color timerPanel;
  bool clockEnabled;
  bool editEnabled;
  const char* focused;
};

void TooFew(Unit1State& u) { u.Flags.TooFewQuestions = 1; }
void NoTopics(Unit1State& u) {
  u.Flags.TooFewQuestions = 1;
  u.Flags.NoTopics = 1;
}

constexpr tk::Color kPrimedPanel = tk::clLime;

const MainWindowCase kMainWindowCases[] = {
    {"NoSubjects", TooFew, true, false, 0, false, tk::clYellow, false, tk::clYellow, "TOPIC", false, false, false,
     tk::clBtnFace, false, true, "BtnEdit"},
    // The school build has no editor button to offer.
    {"NoSubjectsSchool", TooFew, true, false, 1, false, tk::clYellow, false, tk::clYellow, "TOPIC", false, false,
     false, tk::clBtnFace, false, false, "BtnAbout"},
    {"NoTopics", NoTopics, false, false, 0, false, tk::clYellow, true, tk::clWhite, "TOPIC", false, false, false,
     tk::clBtnFace, false, false, "CbxSubject"},
    {"NoTopicsWithSubjectListDisabled", NoTopics, false, true, 0, false, tk::clYellow, false, tk::clWhite, "TOPIC",
     false, false, false, tk::clBtnFace, false, false, "BtnAbout"},
    {"TooFewQuestions", TooFew, false, false, 0, true, tk::clYellow, true, tk::clWhite, "TOPIC", false, false, false,
     tk::clBtnFace, false, false, "BtnAbout"},
    {"TopicCorruptKeepsTheTopicLabel", [](Unit1State& u) { u.Flags.TopicCorrupt = 1; }, false, false, 0, true,
     tk::clYellow, true, tk::clWhite, kFiveQuestions, false, false, false, tk::clBtnFace, false, false, "BtnAbout"},
    {"BadMediaOnlyMarksTheTopic", [](Unit1State& u) { u.Flags.MediaFilesOk = 0; }, false, false, 0, false, tk::clYellow,
     true, tk::clWhite, kFiveQuestions, true, true, true, kPrimedPanel, true, false, "BtnAbout"},
    {"EditorMissingKeepsTheVerdictsChanges",
     [](Unit1State& u) {
       u.Flags.TooFewQuestions = 1;
       u.Flags.EditorMissing = 1;
     },
     false, false, 0, true, tk::clYellow, true, tk::clWhite, "TOPIC", false, false, false, tk::clBtnFace, false,
     false, "BtnAbout"},
    {"EditorMissingAloneLeavesTheMainWindow", [](Unit1State& u) { u.Flags.EditorMissing = 1; }, false, false, 0, false,
     tk::clWhite, true, tk::clWhite, kFiveQuestions, true, true, true, kPrimedPanel, true, false, "BtnAbout"},
};

void PrintTo(const MainWindowCase& c, std::ostream* os) { *os << c.name; }

class ProblemMainWindowTest : public ProblemWindowTest, public ::testing::WithParamInterface<MainWindowCase> {};

TEST_P(ProblemMainWindowTest, PutsTheMainWindowIntoTheStateThatFitsTheProblem) {
  const MainWindowCase& c = GetParam();
  UseLocalVariant();  // each case sets the variant the report sees itself
  StartIdle();
  // Every control in the state opposite to what some report makes of it.
  tovrek::TForm1& f = F1();
  f.CbxTopic->SetEnabled(false);
  f.CheckBox1->SetEnabled(true);
  f.CheckBox1->SetChecked(true);
  f.PnlTimer->SetColor(kPrimedPanel);
  f.BtnClock->SetEnabled(true);
  f.BtnEdit->SetEnabled(false);
  if (c.noSubjects) f.CbxSubject->ClearItems();
  if (c.subjectDisabled) f.CbxSubject->SetEnabled(false);
  ASSERT_TRUE(f.BtnAbout->SetFocus());
  U().SchoolVersion = c.schoolVersion;
  c.flags(U());

  ShowProblem([](TForm10& w) { EXPECT_TRUE(w.BtnOk->Focused()); });

  EXPECT_FALSE(App().Terminated());
  EXPECT_EQ(f.CbxTopic->Enabled(), c.topicEnabled);
  EXPECT_EQ(f.CbxTopic->GetColor(), c.topicColour);
  EXPECT_EQ(f.CbxSubject->Enabled(), c.subjectEnabled);
  EXPECT_EQ(f.CbxSubject->GetColor(), c.subjectColour);
  EXPECT_EQ(f.LblTopic->Caption(), c.topicLabel);
  EXPECT_EQ(f.BtnStartStop->Enabled(), c.runControlsEnabled);
  EXPECT_EQ(f.CbxMode->Enabled(), c.runControlsEnabled);
  EXPECT_EQ(f.CbxSequence->Enabled(), c.runControlsEnabled);
  EXPECT_EQ(f.CheckBox1->Enabled(), c.checkEnabled);
  EXPECT_EQ(f.CheckBox1->Checked(), c.checkChecked);
  EXPECT_EQ(f.PnlTimer->GetColor(), c.timerPanel);
  EXPECT_EQ(f.BtnClock->Enabled(), c.clockEnabled);
  EXPECT_EQ(f.BtnEdit->Enabled(), c.editEnabled);
  // The lists are never emptied by a verdict.
  EXPECT_EQ(f.CbxMode->ItemCount(), 3);
  ASSERT_NE(f.ActiveControl(), nullptr);
  EXPECT_EQ(f.ActiveControl()->Name(), c.focused);
  EXPECT_EQ(App().ActiveForm(), &f);
}

INSTANTIATE_TEST_SUITE_P(Reports, ProblemMainWindowTest, ::testing::ValuesIn(kMainWindowCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProblemWindowTest, SchoolBuildLeavesTheHiddenEditorButtonAlone) {
  StartIdle();
  F1().BtnEdit->SetVisible(false);
  F1().CbxSubject->ClearItems();
  U().SchoolVersion = 1;
  U().Flags.TooFewQuestions = 1;
  ShowProblem([](TForm10& w) {
    EXPECT_EQ(w.LblDescription->Caption(), kNoSubjectsText);
    EXPECT_TRUE(w.BtnOk->Focused());
  });
  EXPECT_FALSE(F1().BtnEdit->Visible());
  EXPECT_FALSE(F1().BtnEdit->Focused());
}

TEST_F(ProblemWindowTest, FatalProblemLeavesTheMainWindowDead) {
  StartIdle();
  tovrek::TForm1& f = F1();
  f.CheckBox1->SetEnabled(true);
  U().Flags.UnsupportedOS = 1;
  U().Flags.DefaultPictureMissing = 1;
  ShowProblem([](TForm10& w) {
    EXPECT_FALSE(w.ListBox->Visible());
    EXPECT_TRUE(w.BtnOk->Focused());
  });
  EXPECT_TRUE(App().Terminated());
  for (tk::DropDownList* list : {f.CbxSubject, f.CbxTopic, f.CbxSequence, f.CbxMode}) {
    EXPECT_EQ(list->ItemCount(), 0) << list->Name();
    EXPECT_EQ(list->GetColor(), tk::clRed) << list->Name();
  }
  EXPECT_EQ(f.LblTopic->Caption(), "TOPIC");
  for (tk::Control* c : std::initializer_list<tk::Control*>{
           f.BtnClose, f.BtnSetup, f.BtnAbout, f.BtnEdit, f.BtnRefresh, f.BtnClock, f.BtnBrowser, f.CbxSubject,
           f.CbxTopic, f.CbxMode, f.CbxSequence, f.CheckBox1, f.BtnStartStop, f.Label6, f.Label3, f.Label4,
           f.LblTopic})
    EXPECT_FALSE(c->Enabled()) << c->Name();
  EXPECT_EQ(f.PnlAnswer->GetFont().FontColor, tk::clGray);
  EXPECT_EQ(f.PnlQuestion->GetFont().FontColor, tk::clGray);
}

// --- Leaving -----------------------------------------------------------------

struct ExitCase {
  const char* name;
  void (*leave)(TForm10&);
};

void EscOnOk(TForm10& w) {
  ASSERT_TRUE(w.BtnOk->Focused());
  UserKey(w.App(), tk::vk::Escape);
}

void EscOnList(TForm10& w) {
  // The learner clicks into the list of bad media lines first, once the
  // window is on screen and active.
  w.App().ProcessMessages();
  UserClick(*w.ListBox);
  ASSERT_TRUE(w.ListBox->Focused());
  UserKey(w.App(), tk::vk::Escape);
}

void TitleBarClose(TForm10& w) { UserCloseWindow(w); }

void PrintTo(const ExitCase& c, std::ostream* os) { *os << c.name; }

const ExitCase kOk{"Ok", ClickOk};
const ExitCase kEscOnOk{"EscOnOk", EscOnOk};
const ExitCase kEscOnList{"EscOnListBox", EscOnList};
const ExitCase kTitleBarClose{"TitleBarClose", TitleBarClose};

class ProblemExitTest : public ProblemWindowTest,
                        public ::testing::WithParamInterface<std::tuple<ExitCase, bool, bool>> {};

// The advance timer comes back only for a run that is on.
TEST_P(ProblemExitTest, EveryWayOutAcknowledgesAndRestartsAutomaticAdvance) {
  const auto& [exit, autoAdvance, runOn] = GetParam();
  StartIdle();
  U().AutoAdvanceOn = autoAdvance;
  if (runOn) {
    UserClick(*F1().BtnStartStop);
    ASSERT_EQ(F1().BtnStartStop->Caption(), "&Stop");
    // As a run stops it before it shows the window.
    F1().Timer->SetEnabled(false);
  }
  ASSERT_FALSE(F1().Timer->Enabled());
  U().Flags.TopicCorrupt = 1;
  U().Flags.TopicInvalid = 1;
  U().Flags.MediaFilesOk = 0;
  W().ListBox->AddItem("Q2: missing.jpg");
  ShowProblem([](TForm10& w) { EXPECT_TRUE(w.ListBox->Visible()); }, exit.leave);
  EXPECT_FALSE(App().Terminated());
  EXPECT_FALSE(W().Visible());
  EXPECT_EQ(App().ActiveForm(), &F1());
  EXPECT_TRUE(VerdictCleared());
  EXPECT_EQ(F1().Timer->Enabled(), autoAdvance && runOn);
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form10"});
}

INSTANTIATE_TEST_SUITE_P(Exits, ProblemExitTest,
                         ::testing::Combine(::testing::Values(kOk, kEscOnOk, kEscOnList, kTitleBarClose),
                                            ::testing::Bool(), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) ? "WithAutoAdvance" : "WithoutAutoAdvance") +
                                  (std::get<2>(info.param) ? "InARun" : "Idle");
                         });

TEST_F(ProblemWindowTest, OkHasTheFocusAgainAfterTheListHadIt) {
  StartIdle();
  U().Flags.MediaFilesOk = 0;
  W().ListBox->AddItem("Q2: missing.jpg");
  ShowProblem({}, EscOnList);
  U().Flags.MediaFilesOk = 0;
  ShowProblem([](TForm10& w) { EXPECT_TRUE(w.BtnOk->Focused()); });
  EXPECT_EQ(Modals().size(), 2u);
}

// --- Problems the program itself reports -------------------------------------

struct FatalStart {
  const char* name;
  void (*prepare)();
  const char* description;
  const char* action;
};

const FatalStart kFatalStarts[] = {
    {"UnsupportedWindows", [] { plat::SetProductNameForTests("Windows Server 2008 R2", std::nullopt); }, kOsText,
     kOsAction},
    {"DefaultPictureMissing", [] { std::filesystem::remove("default.jpg"); }, kPictureText, kPictureAction},
};

void PrintTo(const FatalStart& c, std::ostream* os) { *os << c.name; }

class FatalStartTest : public ProblemWindowTest,
                       public ::testing::WithParamInterface<std::tuple<FatalStart, ExitCase>> {};

TEST_P(FatalStartTest, ReportsTheProblemAndEveryWayOutEndsTheProgram) {
  const FatalStart& start = std::get<0>(GetParam());
  const ExitCase& exit = std::get<1>(GetParam());
  UseLocalVariant();  // the school variant checks neither
  WriteTopic("Maths", "Sums", SimpleTopic(5));
  start.prepare();
  Answer("Form10", [&](tk::Form&) {
    EXPECT_EQ(W().LblDescription->Caption(), start.description);
    EXPECT_EQ(W().LblSeverity->Caption(), start.action);
    EXPECT_FALSE(W().ListBox->Visible());
    // The main window is dead before the learner answers.
    EXPECT_FALSE(F1().BtnStartStop->Enabled());
    EXPECT_EQ(F1().CbxSubject->GetColor(), tk::clRed);
    exit.leave(W());
  });
  Start();
  EXPECT_TRUE(App().Terminated());
  // Nothing after the report: no Refresh verdict, no second window.
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form10"});
  EXPECT_EQ(F1().CbxSubject->ItemCount(), 0);
  EXPECT_FALSE(F1().BtnClose->Enabled());
}

INSTANTIATE_TEST_SUITE_P(Starts, FatalStartTest,
                         ::testing::Combine(::testing::ValuesIn(kFatalStarts),
                                            ::testing::Values(kOk, kEscOnOk, kTitleBarClose)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "Then" + std::get<1>(info.param).name;
                         });

TEST_F(ProblemWindowTest, PickingASubjectWithoutTopicsReportsItAndTheProgramGoesOn) {
  WriteTopic("Maths", "Sums", SimpleTopic(5));
  MakeDirs(SubjectsPath() + "/Zoology");
  Start();
  ASSERT_TRUE(Modals().empty());
  const int zoology = F1().CbxSubject->IndexOf("Zoology");
  ASSERT_GE(zoology, 0);
  Answer("Form10", [&](tk::Form&) {
    EXPECT_EQ(W().LblDescription->Caption(), kNoTopicsText);
    EXPECT_EQ(W().LblSeverity->Caption(), kNoTopicsAction);
    EXPECT_FALSE(W().ListBox->Visible());
    EXPECT_TRUE(W().BtnOk->Focused());
    ClickOk(W());
  });
  UserPick(*F1().CbxSubject, zoology);
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form10"});
  EXPECT_FALSE(App().Terminated());
  EXPECT_TRUE(VerdictCleared());
  EXPECT_EQ(F1().CbxSubject->Text(), "Zoology");
  EXPECT_FALSE(F1().CbxTopic->Enabled());
  EXPECT_EQ(F1().CbxTopic->GetColor(), tk::clYellow);
  EXPECT_FALSE(F1().BtnStartStop->Enabled());
  EXPECT_TRUE(F1().CbxSubject->Focused());

  // Back to a subject with a topic: no report, the run can start again.
  UserPick(*F1().CbxSubject, F1().CbxSubject->IndexOf("Maths"));
  EXPECT_EQ(Modals().size(), 1u);
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
}

}  // namespace
}  // namespace tovrek_test
