// The school variant: the tree on the server's share, the control file read
// at activation.
#include <gtest/gtest.h>

#include <filesystem>

#include "main/Tovrek_Unit1.h"
#include "main/Tovrek_Unit6.h"
#include "main/Tovrek_Unit8.h"
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

}  // namespace
}  // namespace tovrek_test
