// The school variant: the tree on the server's share, the control file read
// at activation.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "main/Tovrek_Unit1.h"
#include "main/Tovrek_Unit6.h"
#include "main/Tovrek_Unit8.h"
#include "main/control_shapes.h"
#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

namespace fs = std::filesystem;

class SchoolTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    UseSchoolVariant();
  }
};

TEST_F(SchoolTest, StartsOnTheShareWithoutTouchingTheWorkingFolder) {
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  WriteTopic("Maths", "Tables", SimpleTopic(4));
  fs::remove("default.jpg");  // not looked for
  Start();
  EXPECT_TRUE(Modals().empty());
  EXPECT_EQ(U().SchoolVersion, 1);
  EXPECT_EQ(F1().CbxSubject->Items(), std::vector<std::string>{"Maths"});
  EXPECT_EQ(F1().CbxTopic->Items(), (std::vector<std::string>{"Sums", "Tables"}));
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  3  QUESTIONS");
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
  EXPECT_FALSE(F1().BtnEdit->Visible());
  EXPECT_TRUE(F1().LblSchool->Visible());
  EXPECT_EQ(P().SplashForm->LblSplashStatus->Caption(), "School Version");
  EXPECT_EQ(U().WorkPath, "\\\\tovrekserver\\tovrek$\\setup\\config.ini");
  EXPECT_FALSE(App().Terminated());
  for (const char* folder : {"setup", "subjects", "mediafiles", "browser", "disktest"})
    EXPECT_FALSE(fs::exists(folder)) << folder;
}

struct ControlCase {
  const char* name;
  const char* file;  // nullptr: no control file on the share
  bool stops;
  bool compact;  // the stop window at 327 x 140
};

void PrintTo(const ControlCase& c, std::ostream* os) { *os << c.name; }

class ControlFileTest : public SchoolTest, public ::testing::WithParamInterface<ControlCase> {};

// Only a first line that reads "STOP" once upper-cased stops the program;
// a missing file stops it too, in the stop window's full size.
TEST_P(ControlFileTest, DecidesWhetherTheProgramMayRun) {
  const ControlCase& c = GetParam();
  SetControlFile(c.file);
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  int width = 0, height = 0;
  if (c.stops) {
    Answer("Form8", [&](tk::Form& w) {
      width = w.OuterWidth();
      height = w.OuterHeight();
      tk::testing::UserClick(*P().Form8->Button1);
    });
  }
  Start();
  EXPECT_EQ(App().Terminated(), c.stops);
  EXPECT_EQ(Modals(), c.stops ? std::vector<std::string>{"Form8"} : std::vector<std::string>{});
  if (c.compact) {
    EXPECT_EQ(width, 327);
    EXPECT_EQ(height, 140);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, ControlFileTest,
                         ::testing::Values(ControlCase{"Missing", nullptr, true, false},
                                           ControlCase{"Stop", "STOP", true, true},
                                           ControlCase{"StopInLowerCase", "stop", true, true},
                                           ControlCase{"StopThenMoreLines", "Stop\r\nanything", true, true},
                                           ControlCase{"Run", "RUN", false, false},
                                           ControlCase{"Empty", "", false, false},
                                           ControlCase{"StopWithBlank", "STOP ", false, false},
                                           ControlCase{"StopOnSecondLine", "RUN\r\nSTOP", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A control file that is there but cannot be read gives no leave to run:
// the program stops as for a missing one, and says why once, also while
// the poll goes on under the stop window.
class UnreadableAtStartTest : public SchoolTest, public ::testing::WithParamInterface<UnreadableShape> {};

TEST_P(UnreadableAtStartTest, StopsTheProgramAndSaysSoOnce) {
  const UnreadableShape& shape = GetParam();
  if (!ShapeFailsHere(shape)) GTEST_SKIP() << "root reads the file";
  SetControlFile(nullptr);
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  MakeDirs(SharePath("tovrekcontrol$"));
  shape.make(SharePath("tovrekcontrol$") + "/control.ini");
  size_t reportsUnderTheStopWindow = 0;
  Answer("Form8", [&](tk::Form&) {
    for (int tick = 0; tick < 3; ++tick) Clock().Advance(15000);
    reportsUnderTheStopWindow = App().ErrorReports().size();
    tk::testing::UserClick(*P().Form8->Button1);
  });
  Start();
  EXPECT_TRUE(App().Terminated());
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form8"});
  const std::vector<std::string> reports = TakeErrorReports();
  ASSERT_EQ(reports.size(), shape.looksPresent ? 1u : 0u);
  EXPECT_EQ(reportsUnderTheStopWindow, reports.size()) << "the poll reported the outage again";
  for (const std::string& report : reports) EXPECT_NE(report.find("control.ini"), std::string::npos) << report;
}

INSTANTIATE_TEST_SUITE_P(Shapes, UnreadableAtStartTest, ::testing::ValuesIn(kUnreadableShapes),
                         [](const auto& info) { return std::string(info.param.name); });

// The start's report is a real message box here, left unanswered for a
// while: the poll goes on under it and does not say the same again over it.
TEST_F(SchoolTest, ThePollAddsNoReportOverTheStartsOwn) {
  SetControlFile(nullptr);
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  MakeDirs(SharePath("tovrekcontrol$"));
  ASSERT_EQ(::mkfifo((SharePath("tovrekcontrol$") + "/control.ini").c_str(), 0644), 0);
  bool reportUp = false, probing = false, secondReport = false;
  CreateProgram();  // the splash window handles messages of its own
  App().SetScripted(false);
  tk::testing::Post([&] {
    std::string title, text;
    reportUp = tk::testing::ShownMessageBox(title, text);
    // Runs in the loop of a second report, should one come up meanwhile.
    probing = true;
    tk::testing::Post([&] {
      if (!probing) return;
      secondReport = true;
      tk::testing::UserAnswerMessageBox(tk::vk::Return);
    });
    for (int tick = 0; tick < 3; ++tick) Clock().Advance(15000);
    probing = false;
    App().SetScripted(true);  // the stop window next, answered below
    tk::testing::UserAnswerMessageBox(tk::vk::Return);
  });
  AnswerByClicking("Form8", "Button1");
  App().ShowMainForm();
  App().SetScripted(true);
  EXPECT_TRUE(reportUp);
  EXPECT_FALSE(secondReport);
  EXPECT_TRUE(App().Terminated());
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form8"});
}

}  // namespace
}  // namespace tovrek_test
