// Start-up: the windows, the splash window, the checks made at creation and
// what the first activation does with them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "main/Tovrek_Unit10.h"
#include "main/Tovrek_Unit12.h"
#include "main/Tovrek_Unit6.h"
#include "main/Tovrek_Unit8.h"
#include "platform/atomic_file.h"
#include "platform/product_name.h"
#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

namespace fs = std::filesystem;
using tovrek::TForm10;
using tovrek::TForm8;

class StartupTest : public ProgramTest {};

// The folder tree, the write test and the checks of the system and the
// default picture belong to the local variant only.
class LocalStartupTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    UseLocalVariant();
  }
};

TEST_F(StartupTest, CreatesEveryWindowWithTheMainWindowFirstAndHidesTheSplash) {
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  CreateProgram();
  EXPECT_EQ(App().MainForm(), P().Form1);
  EXPECT_NE(P().Form4, nullptr);
  EXPECT_NE(P().Form16, nullptr);
  EXPECT_FALSE(P().SplashForm->Visible());
  EXPECT_FALSE(F1().Visible()) << "the message loop shows the main window, not its creation";
  EXPECT_TRUE(Modals().empty());
}

// The splash window stands, painted, through the slow part of creation.
TEST_F(StartupTest, SplashWindowStandsWhileTheMainWindowIsCreated) {
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  std::vector<std::string> seen;
  Clock().SetSleepListener([&](uint32_t) {
    seen.push_back(std::string(P().SplashForm->Visible() ? "splash" : "no splash") +
                   (P().Form1 != nullptr && P().Form1->Visible() ? " + main" : ""));
  });
  CreateProgram();
  Clock().SetSleepListener(nullptr);
  EXPECT_EQ(seen, std::vector<std::string>(11, "splash"));
  EXPECT_FALSE(P().SplashForm->Visible());
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

struct VersionCase {
  const char* nt;
  const char* win9x;
  bool supported;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << '"' << c.nt << "\" / \"" << c.win9x << '"'; }

class VersionAtCreation : public LocalStartupTest, public ::testing::WithParamInterface<VersionCase> {};

// The verdict decides whether creation goes on to list the subjects.
TEST_P(VersionAtCreation, UnsupportedSystemEndsCreationEarly) {
  const VersionCase& c = GetParam();
  plat::SetProductNameForTests(std::string(c.nt), std::string(c.win9x));
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  CreateProgram();
  EXPECT_EQ(U().Flags.UnsupportedOS, c.supported ? 0 : 1);
  EXPECT_EQ(F1().CbxSubject->ItemCount(), c.supported ? 1 : 0);
  EXPECT_EQ(F1().CbxMode->ItemCount(), c.supported ? 3 : 0);
  EXPECT_EQ(F1().CbxSequence->ItemCount(), c.supported ? 2 : 0);
  EXPECT_EQ(U().GaugeThresholds[0], c.supported ? 80 : 0);
  EXPECT_EQ(P().SplashForm->LblLoading->Caption(), "...") << "the dots run on every path";
}

INSTANTIATE_TEST_SUITE_P(Names, VersionAtCreation,
                         ::testing::Values(VersionCase{"Windows 10 Pro", "", true},
                                           VersionCase{"microsoft windows xp", "", true},
                                           VersionCase{"Microsoft Windows XP Professional", "", false},
                                           VersionCase{"Windows Server 2008 R2", "", false},
                                           VersionCase{"", "Microsoft Windows 98", true},
                                           VersionCase{"", "", false}));

TEST_F(LocalStartupTest, AnEmptyDisktestFolderCountsAsWriteAccessAndIsRemoved) {
  fs::create_directory("disktest");
  CreateProgram();
  EXPECT_FALSE(U().NoWriteAccess);
  EXPECT_FALSE(fs::exists("disktest"));
}

// Whatever stands at "disktest" (a file, a link to a folder, a file or
// nothing outside the working folder) is left as it is, followed nowhere,
// and decides nothing: the folder is writable.
std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Leftover {
  const char* name;
  void (*make)(const OutsideFolder& outside);
  void (*check)(const OutsideFolder& outside);
};

const Leftover kLeftovers[] = {
    {"File", [](const OutsideFolder&) { WriteFile("disktest", "x"); },
     [](const OutsideFolder&) { EXPECT_EQ(Bytes("disktest"), "x"); }},
    {"LinkToAFolderOutside", [](const OutsideFolder& o) { fs::create_directory_symlink(o.Path(), "disktest"); },
     [](const OutsideFolder&) {}},
    {"LinkToAFileOutside",
     [](const OutsideFolder& o) {
       WriteFile(o / "file", "keep");
       fs::create_symlink(o / "file", "disktest");
     },
     [](const OutsideFolder& o) { EXPECT_EQ(Bytes(o / "file"), "keep"); }},
    {"LinkToNothingOutside", [](const OutsideFolder& o) { fs::create_symlink(o / "disktest", "disktest"); },
     [](const OutsideFolder&) {}},
};

void PrintTo(const Leftover& c, std::ostream* os) { *os << c.name; }

class LeftoverDisktest : public LocalStartupTest, public ::testing::WithParamInterface<Leftover> {};

TEST_P(LeftoverDisktest, NeitherDecidesTheWriteTestNorIsFollowed) {
  OutsideFolder outside;
  GetParam().make(outside);
  const size_t outsideEntries = static_cast<size_t>(std::distance(fs::directory_iterator(outside.Path()), {}));
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  CreateProgram();
  EXPECT_FALSE(U().NoWriteAccess);
  EXPECT_EQ(F1().CbxMode->ItemCount(), 3);
  EXPECT_EQ(fs::is_symlink(fs::symlink_status("disktest")), std::string(GetParam().name) != "File");
  EXPECT_EQ(static_cast<size_t>(std::distance(fs::directory_iterator(outside.Path()), {})), outsideEntries);
  GetParam().check(outside);
}

INSTANTIATE_TEST_SUITE_P(Kinds, LeftoverDisktest, ::testing::ValuesIn(kLeftovers),
                         [](const auto& info) { return std::string(info.param.name); });

// The verdict is the folder's, not the leftover's: where nothing can be
// written, a "disktest" folder already there does not pass the test.
TEST_F(LocalStartupTest, ALeftoverDisktestFolderDoesNotStandForWriteAccess) {
  fs::create_directory("disktest");
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  plat::FailAtomicWritesAfterForTests(0);
  CreateProgram();
  plat::FailAtomicWritesAfterForTests(std::nullopt);
  EXPECT_TRUE(U().NoWriteAccess);
  EXPECT_EQ(F1().CbxMode->ItemCount(), 0);
  EXPECT_TRUE(fs::is_directory("disktest"));
}

TEST_F(LocalStartupTest, FirstStartInAnEmptyFolderMakesTheTreeAndReportsNoSubjects) {
  std::string description;
  Answer("Form10", [&](tk::Form&) {
    description = P().Form10->LblDescription->Caption();
    // Before the report the focus rule already chose the editor button.
    EXPECT_TRUE(F1().BtnEdit->Focused());
    tk::testing::UserClick(*P().Form10->BtnOk);
  });
  Start();
  for (const char* folder : {"setup", "setup/pictures", "subjects", "mediafiles", "browser"})
    EXPECT_TRUE(fs::is_directory(folder)) << folder;
  EXPECT_TRUE(fs::exists("setup/pictures/default.jpg"));
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form10"});
  EXPECT_EQ(description, "No sub-folders were found in the Subjects folder.");
  EXPECT_TRUE(F1().BtnEdit->Focused());
  EXPECT_FALSE(App().Terminated());
}

TEST_F(LocalStartupTest, MissingDefaultPictureTurnsTheSplashYellowAndEndsTheProgram) {
  fs::remove("default.jpg");
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  AnswerByClicking("Form10", "BtnOk");
  Start();
  EXPECT_EQ(U().Flags.DefaultPictureMissing, 1);
  EXPECT_EQ(P().SplashForm->GetColor(), tk::clYellow);
  // Every text on the splash window must stay readable on yellow.
  const tovrek::TSplashForm& s = *P().SplashForm;
  for (const tk::Label* l : {s.Label3, s.Label4, s.Label5, s.Label6, s.Label7, s.Label8})
    EXPECT_EQ(l->GetFont().FontColor, tk::clBlack) << l->Name();
  EXPECT_TRUE(fs::is_directory("setup/pictures")) << "the tree is made before the report";
  EXPECT_FALSE(fs::exists("setup/pictures/default.jpg"));
  EXPECT_TRUE(App().Terminated());
}

// The copy of default.jpg never leaves the working folder: not through a
// link at the copy's name, nor through a pictures folder that is a link.
TEST_F(LocalStartupTest, TheDefaultPictureCopyNeverGoesThroughALink) {
  OutsideFolder outside;
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  MakeLink(outside / "default.jpg", "setup/pictures/default.jpg");
  Start();
  EXPECT_TRUE(outside.Empty());
  EXPECT_TRUE(fs::is_symlink("setup/pictures/default.jpg"));

  fs::remove_all("setup/pictures");
  fs::create_directory_symlink(outside.Path(), "setup/pictures");
  F1().FormActivate();
  EXPECT_TRUE(outside.Empty());
}

TEST_F(LocalStartupTest, AnExistingPictureCopyIsLeftAlone) {
  WriteFile("setup/pictures/default.jpg", "mine");
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  Start();
  EXPECT_EQ(ReadBytes("setup/pictures/default.jpg"), "mine");
}

// With a subject so named, activation ends without the Refresh: an invalid
// first topic only raises its flags.
TEST_F(LocalStartupTest, CombinedTopicsSubjectSkipsTheRefreshAndItsReport) {
  WriteTopic("Combined Topics", "Broken", SimpleTopic(1));
  Start();
  EXPECT_TRUE(Modals().empty());
  EXPECT_EQ(U().Flags.TopicInvalid, 1);
  EXPECT_EQ(U().Flags.TooFewQuestions, 1);
  EXPECT_TRUE(U().FirstActivationDone);
}

TEST_F(StartupTest, AnUnreadableFirstTopicIsReportedAndTheWindowIsStillMadeWhole) {
  fs::create_directories(SubjectsPath() + "/Maths/Broken.txt");  // a folder listed as a topic
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  CreateProgram();
  const std::vector<std::string> reports = TakeErrorReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("Broken.txt"), std::string::npos) << reports[0];
  EXPECT_EQ(F1().CbxMode->ItemCount(), 3);
  EXPECT_EQ(F1().CbxTopic->Text(), "Broken");
  EXPECT_FALSE(F1().BtnStartStop->Enabled());
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC");
}

}  // namespace
}  // namespace tovrek_test
