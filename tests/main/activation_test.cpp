// The main window's activation: when it runs, the settings step in both
// directions, the statistics colours and what an input/output error or
// the school stop window leave of it.
#include <gtest/gtest.h>

#include <filesystem>

#include "appearance/Tovrek_Unit7.h"
#include "knowledge/settings_file.h"
#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

using knowledge::SettingsLines;

class ActivationTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    UseLocalVariant();
    WriteTopic("Maths", "Sums", SimpleTopic(3));
  }
  tovrek::TForm7& F7() { return *P().Form7; }
  static void WriteSettings(const SettingsLines& lines) { WriteFile("setup/config.ini", knowledge::SettingsBytes(lines)); }
  static SettingsLines With(std::initializer_list<std::pair<int, const char*>> changes) {
    SettingsLines lines = knowledge::DefaultSettingsLines();
    for (const auto& [line, text] : changes) lines[static_cast<size_t>(line - 1)] = text;
    return lines;
  }
};

TEST_F(ActivationTest, FirstStartWritesTheDefaultFileAndOnlySelectsTheLists) {
  Start();
  EXPECT_EQ(ReadBytes("setup/config.ini"), knowledge::SettingsBytes(knowledge::DefaultSettingsLines()));
  EXPECT_EQ(ReadBytes("setup/config.ini").size(), 155u);
  EXPECT_TRUE(std::filesystem::exists("setup/pictures/default.jpg"));
  for (int line = 1; line <= 18; ++line) {
    if (line == 9 || line == 10) continue;
    EXPECT_EQ(F7().ListOfLine(line)->Text(), knowledge::RowOfLine(line).Default) << "line " << line;
  }
  EXPECT_EQ(U().MediaAlignText, "Left");
  EXPECT_EQ(F1().GetColor(), tk::clBtnFace) << "the design look stays";
  EXPECT_EQ(F1().PnlQuestion->GetColor(), tk::clBtnFace);
  EXPECT_EQ(F7().MemoMedia->GetAlignment(), tk::Alignment::Left) << "the mock-up is not restyled";
  EXPECT_EQ(U().FormatDefaults[1], "10");
  EXPECT_EQ(U().FormatDefaults[10], "normal");
}

// Lines as the learner's file may hold them, and what each sets.
TEST_F(ActivationTest, ReadsEachLineIntoBothWindows) {
  WriteSettings(With({{1, "navy"}, {3, "Button Face"}, {7, "Red"}, {10, "stretched"}, {12, "14"}, {18, " Navy"},
                      {19, "LEFT"}}));
  Start();
  EXPECT_EQ(F1().GetColor(), tk::clNavy);
  EXPECT_EQ(F7().GetColor(), tk::clNavy);
  EXPECT_EQ(F7().CbxFormBackground->Text(), "Navy");
  EXPECT_EQ(F1().LblCorrect->GetFont().FontColor, tk::clWhite);
  EXPECT_EQ(F1().Shape6->PenColor(), tk::clWhite);
  EXPECT_EQ(F7().Label25->GetFont().FontColor, tk::clWhite);
  EXPECT_EQ(F7().CheckBox1->GetFont().FontColor, tk::clWhite);
  EXPECT_EQ(F7().CbxOptionsFont->ItemIndex(), -1) << "not a name of the 19-name list";
  EXPECT_EQ(F7().CbxStatisticsFont->ItemIndex(), -1) << "a leading blank matches nothing";
  EXPECT_EQ(F1().Label7->GetFont().FontColor, tk::clNavy) << "its design colour stays";
  EXPECT_EQ(F1().PnlQuestion->GetFont().FontColor, tk::clRed);
  EXPECT_EQ(F7().PnlAnswer->GetFont().FontColor, tk::clRed);
  EXPECT_TRUE(F1().Image1->Stretch());
  EXPECT_EQ(U().PictureAspectText, "Stretched");
  EXPECT_EQ(U().FormatDefaults[10], "stretched");
  EXPECT_EQ(F1().MemoQuestion->GetFont().Size(), 14);
  EXPECT_EQ(F7().MemoQuestion->GetFont().Size(), 14);
  EXPECT_EQ(U().FormatDefaults[4], "14");
  EXPECT_EQ(F1().MemoMedia->GetAlignment(), tk::Alignment::Left);
  EXPECT_EQ(U().FormatDefaults[3], "left");
}

// Every one of the eleven tick marks, in the main window and in the
// customisation window's mock-up, found by name.
TEST_F(ActivationTest, OnADarkWindowEveryTickMarkTurnsWhite) {
  WriteSettings(With({{1, "Teal"}}));
  Start();
  for (int i = 1; i <= 11; ++i) {
    const std::string name = "Shape" + std::to_string(i);
    EXPECT_EQ(tk::testing::Named<tk::Shape>(F1(), name).PenColor(), tk::clWhite) << "main window " << name;
    EXPECT_EQ(tk::testing::Named<tk::Shape>(F7(), name).PenColor(), tk::clWhite) << "mock-up " << name;
  }
}

TEST_F(ActivationTest, ShortFileReadsAsEmptyLines) {
  WriteFile("setup/config.ini", "Teal\r\nRed\r\nBlack\r\n8\r\nWhite\r\n");
  Start();
  EXPECT_EQ(F1().GetColor(), tk::clTeal);
  EXPECT_EQ(U().FormatDefaults[1], "8");
  EXPECT_EQ(U().DefaultPictureName, "default.jpg");
  EXPECT_EQ(F7().CbxQuestionSize->ItemIndex(), -1);
  EXPECT_EQ(U().FormatDefaults[4], "12") << "an unmatched size keeps the default-file value";
  EXPECT_EQ(U().FormatDefaults[7], "12");
  EXPECT_FALSE(F1().Image1->Stretch());
  EXPECT_EQ(U().PictureAspectText, "");
  EXPECT_EQ(U().MediaAlignText, "");
  EXPECT_EQ(F1().MemoMedia->GetAlignment(), tk::Alignment::Center);
  EXPECT_EQ(U().FormatDefaults[3], "center");
}

// Line 9 names a picture of the folder only as a bare name that decodes.
struct Line9Case {
  const char* line;
  const char* name;
};
class Line9Test : public ActivationTest, public ::testing::WithParamInterface<Line9Case> {};

TEST_P(Line9Test, OnlyABareNameOfAPictureThatDecodesIsKept) {
  std::filesystem::create_directories("setup/pictures");
  std::filesystem::copy_file("default.jpg", "setup/pictures/sea.jpg");
  std::filesystem::copy_file("default.jpg", "outside.jpg");
  WriteFile("setup/pictures/broken.jpg", "not a picture");
  WriteSettings(With({{9, GetParam().line}}));
  Start();
  EXPECT_EQ(U().DefaultPictureName, GetParam().name);
  EXPECT_TRUE(TakeErrorReports().empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, Line9Test,
                         ::testing::Values(Line9Case{"sea.jpg", "sea.jpg"}, Line9Case{"broken.jpg", "default.jpg"},
                                           Line9Case{"../../outside.jpg", "default.jpg"}, Line9Case{"..", "default.jpg"},
                                           Line9Case{"gone.jpg", "default.jpg"}, Line9Case{"", "default.jpg"}));

// A file named "setup" where the folder should be: reported once, and the
// closing steps still run (here the Refresh reports the missing subject).
TEST_F(ActivationTest, InputOutputErrorIsReportedOnceAndTheClosingStepsStillRun) {
  std::filesystem::remove_all("subjects");
  WriteFile("setup", "in the way");
  AnswerByClicking("Form10", "BtnOk");
  Start();
  const std::vector<std::string> reports = TakeErrorReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("setup\\config.ini"), std::string::npos) << reports[0];
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form10"});
  EXPECT_TRUE(F1().BtnEdit->Focused() || !F1().CbxSubject->Focused());
}

TEST_F(ActivationTest, UnreadableSettingsFileIsReportedOnce) {
  std::filesystem::create_directories("setup/config.ini");  // a folder where the file should be
  Start();
  EXPECT_EQ(TakeErrorReports().size(), 1u);
  EXPECT_EQ(F1().CbxMode->Text(), "Learning");
}

// Closing a modal window or an error report hands the focus back without
// a new activation: the file is not read again.
TEST_F(ActivationTest, RunsOnceNotAfterAModalWindowOrAnErrorReport) {
  Start();
  WriteSettings(With({{1, "Navy"}}));
  Answer("Form7", [](tk::Form& f) { tk::testing::UserClick(f, "BtnClose"); });
  tk::testing::UserClick(*F1().BtnSetup);
  App().ShowException(std::runtime_error("elsewhere"));
  TakeErrorReports();
  EXPECT_EQ(F1().GetColor(), tk::clBtnFace);
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form7"});
}

TEST_F(ActivationTest, SchoolStopWindowEndsActivationAtOnce) {
  UseSchoolVariant();
  SetControlFile("STOP");
  Answer("Form8", [](tk::Form& f) { f.Close(); });
  Start();
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form8"});
  EXPECT_FALSE(std::filesystem::exists("setup/config.ini"));
  EXPECT_TRUE(F1().CbxMode->Text().empty() || F1().CbxMode->Text() == "Learning");
  EXPECT_FALSE(F1().LblSchool->Visible()) << "nothing after the stop window";
}

}  // namespace
}  // namespace tovrek_test
