// Start-up: the windows, the splash window, the checks made at creation and
// what the first activation does with them.
#include <gtest/gtest.h>

#include <filesystem>

#include "main/Tovrek_Unit10.h"
#include "main/Tovrek_Unit12.h"
#include "main/Tovrek_Unit6.h"
#include "main/Tovrek_Unit8.h"
#include "platform/product_name.h"
#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

namespace fs = std::filesystem;
using tovrek::TForm10;
using tovrek::TForm8;

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, CreatesEveryWindowWithTheMainWindowFirstAndHidesTheSplash) {
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  CreateProgram();
  EXPECT_EQ(App().MainForm(), P().Form1);
  for (tk::Form* f : std::initializer_list<tk::Form*>{
           reinterpret_cast<tk::Form*>(P().Form4), reinterpret_cast<tk::Form*>(P().Form16)})
    EXPECT_NE(f, nullptr);
  EXPECT_FALSE(P().SplashForm->Visible());
  EXPECT_FALSE(F1().Visible()) << "the message loop shows the main window, not its creation";
  EXPECT_TRUE(Modals().empty());
}

TEST_F(StartupTest, LoadingDotsRunElevenStepsOfTwoHundredMilliseconds) {
  CreateProgram();
  EXPECT_EQ(Clock().Sleeps(), std::vector<uint32_t>(11, 200));
  EXPECT_EQ(P().SplashForm->LblLoading->Caption(), "...");
}

TEST_F(StartupTest, ValidFirstTopicFillsTheListsWithoutAnyReport) {
  WriteTopic("Maths", "Sums", SimpleTopic(5));
  Start();
  EXPECT_TRUE(Modals().empty());
  EXPECT_EQ(F1().CbxSubject->Text(), "Maths");
  EXPECT_EQ(F1().CbxTopic->Text(), "Sums");
  EXPECT_EQ(F1().CbxMode->Items(), (std::vector<std::string>{"Learning", "Practice", "Test"}));
  EXPECT_EQ(F1().CbxMode->Text(), "Learning");
  EXPECT_EQ(F1().CbxSequence->Items(), (std::vector<std::string>{"Regular", "Random"}));
  EXPECT_EQ(F1().CbxSequence->Text(), "Regular");
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  5  QUESTIONS");
  EXPECT_EQ(F1().PnlNumber->Caption(), "0  of  5");
  EXPECT_EQ(U().TotalQuestions, 5);
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
  EXPECT_TRUE(F1().ChkSwopQA->Enabled());
  EXPECT_TRUE(F1().CbxSubject->Focused());
  EXPECT_EQ(U().GaugeThresholds, (std::array<uint8_t, 4>{80, 60, 40, 20}));
}

}  // namespace
}  // namespace tovrek_test
