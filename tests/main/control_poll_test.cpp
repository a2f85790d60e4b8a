// The control-file poll: every 15 s in both builds; only the school build
// reads the control file, and a first line "STOP" (upper-cased a to z)
// ends the program at once.
#include <map>

#include "main/control_shapes.h"
#include "main/run_support.h"
#include "platform/paths.h"

namespace tovrek_test {
namespace {

class ControlPollTest : public RunTest {
 protected:
  void StartSchool() {
    UseSchoolVariant();
    WriteTopic("Subject", "Topic", SimpleTopic(3));
    Start();
    ASSERT_FALSE(App().Terminated());
  }
  static std::string ControlPath() { return SharePath("tovrekcontrol$") + "/control.ini"; }
  void SetControl(const std::vector<std::string>& lines) {
    std::filesystem::remove_all(ControlPath());
    WriteFile(ControlPath(), CrLfLines(lines));
  }
  // Time up to the poll's next tick, which must come within one period.
  void ToNextPoll() {
    const uint64_t wait = F1().TimerStopNow->DueAt() - Clock().NowMs();
    EXPECT_LE(wait, 15000u);
    Clock().Advance(wait);
  }
  // One poll interval, a second at a time.
  void Tick() {
    for (int i = 0; i < 15; ++i) Clock().Advance(1000);
  }
};

struct LineCase {
  const char* name;
  std::vector<std::string> lines;
  bool ends;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class ControlLineTest : public ControlPollTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ControlLineTest, FirstLineDecides) {
  StartSchool();
  SetControl(GetParam().lines);
  const uint64_t due = F1().TimerStopNow->DueAt();
  Clock().Advance(due - Clock().NowMs() - 1);
  EXPECT_FALSE(App().Terminated()) << "before the tick";
  Clock().Advance(1);
  EXPECT_EQ(App().Terminated(), GetParam().ends);
  EXPECT_TRUE(Modals().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ControlLineTest,
    ::testing::Values(LineCase{"Upper", {"STOP"}, true}, LineCase{"Lower", {"stop"}, true},
                      LineCase{"Mixed", {"Stop"}, true}, LineCase{"BlankAfter", {"STOP "}, false},
                      LineCase{"BlankBefore", {" STOP"}, false}, LineCase{"SecondLine", {"RUN", "STOP"}, false},
                      LineCase{"Empty", {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlPollTest, ReadsAfreshEachTick) {
  StartSchool();
  Tick();
  Tick();
  EXPECT_FALSE(App().Terminated());
  SetControl({"stop"});
  Tick();
  EXPECT_TRUE(App().Terminated());
}

TEST_F(ControlPollTest, AnOutageIsReportedOnceAndIsNotStop) {
  StartSchool();
  std::filesystem::remove(SharePath("tovrekcontrol$") + "/control.ini");
  Tick();
  EXPECT_EQ(TakeErrorReports().size(), 1u);
  for (int i = 0; i < 4; ++i) Tick();
  EXPECT_TRUE(TakeErrorReports().empty());
  EXPECT_FALSE(App().Terminated());
  // Back, then gone again: a new outage, reported again.
  SetControl({"RUN"});
  Tick();
  std::filesystem::remove(SharePath("tovrekcontrol$") + "/control.ini");
  Tick();
  Tick();
  EXPECT_EQ(TakeErrorReports().size(), 1u);
  SetControl({"STOP"});
  Tick();
  EXPECT_TRUE(App().Terminated());
}

// The outage report is a real message box here, and nobody answers it: the
// poll goes on under it, the file coming and going again brings no second
// report over it, and "STOP" ends the program at the next tick.
TEST_F(ControlPollTest, GoesOnUnderItsOwnOutageReport) {
  StartSchool();
  std::filesystem::remove(ControlPath());
  bool reportUp = false, probing = false, secondReport = false, endedUnderIt = false;
  std::string title, text;
  App().SetScripted(false);
  tk::testing::Post([&] {
    reportUp = tk::testing::ShownMessageBox(title, text);
    // Runs in the loop of a second report, should one come up meanwhile.
    probing = true;
    tk::testing::Post([&] {
      if (!probing) return;
      secondReport = true;
      tk::testing::UserAnswerMessageBox(tk::vk::Return);
    });
    SetControl({"RUN"});
    ToNextPoll();
    std::filesystem::remove(ControlPath());
    ToNextPoll();
    probing = false;
    SetControl({"STOP"});
    ToNextPoll();
    endedUnderIt = App().Terminated();
    if (!endedUnderIt) tk::testing::UserAnswerMessageBox(tk::vk::Return);
  });
  Tick();
  App().SetScripted(true);
  EXPECT_TRUE(reportUp);
  EXPECT_EQ(title, "Tovrek");
  EXPECT_NE(text.find("control.ini"), std::string::npos) << text;
  EXPECT_FALSE(secondReport);
  EXPECT_TRUE(endedUnderIt);
}

// Any other window of the program may be up when the server says STOP.
class StopUnderWindowTest : public ControlPollTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void OpenWindow(const std::string& form) {
    tovrek::TForm1& f = F1();
    if (form == "Form14") {
      ClickStart();
      tk::testing::UserClick(*f.BtnSearch);
    } else if (form == "Form10") {
      // The topic lost its questions since it was scanned.
      WriteTopic("Subject", "Topic", SimpleTopic(1));
      ClickStart();
    } else if (form == "Form16") {
      tk::testing::UserKey(App(), tk::vk::F1);
    } else {
      const std::map<std::string, tk::Control*> openers = {
          {"Form7", f.BtnSetup}, {"Form9", f.BtnClock},        {"Form12", f.BtnClose},
          {"Form4", f.BtnAbout}, {"Form13", f.PnlQuestion}};  // the quotations
      tk::testing::UserClick(*openers.at(form));
    }
  }
};

TEST_P(StopUnderWindowTest, EndsTheProgramAtTheNextTick) {
  StartSchool();
  bool ended = false;
  Answer(GetParam(), [&](tk::Form& w) {
    SetControl({"STOP"});
    ToNextPoll();
    ended = App().Terminated();
    if (!ended) w.Close();
  });
  OpenWindow(GetParam());
  EXPECT_TRUE(ended);
  EXPECT_EQ(Modals(), std::vector<std::string>{GetParam()});
}

INSTANTIATE_TEST_SUITE_P(Windows, StopUnderWindowTest,
                         ::testing::Values("Form14", "Form7", "Form9", "Form12", "Form4", "Form16", "Form13", "Form10"),
                         [](const auto& info) { return std::string(info.param); });

// During a run a control file that cannot be read is not STOP: said once,
// and the poll reads on until the file is back.
class UnreadableDuringRunTest : public ControlPollTest, public ::testing::WithParamInterface<UnreadableShape> {};

TEST_P(UnreadableDuringRunTest, IsNotStopAndIsSaidOnce) {
  const UnreadableShape& shape = GetParam();
  if (!ShapeFailsHere(shape)) GTEST_SKIP() << "root reads the file";
  StartSchool();
  ClickStart();
  std::filesystem::remove(ControlPath());
  shape.make(ControlPath());
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_FALSE(App().Terminated());
  EXPECT_EQ(StartCaption(), "&Stop");
  const std::vector<std::string> reports = TakeErrorReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("control.ini"), std::string::npos) << reports[0];
  SetControl({"STOP"});
  ToNextPoll();
  EXPECT_TRUE(App().Terminated());
}

INSTANTIATE_TEST_SUITE_P(Shapes, UnreadableDuringRunTest, ::testing::ValuesIn(kUnreadableShapes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlPollTest, ReadsBesideAnOpenSettingsFile) {
  StartSchool();
  SetControl({"stop"});
  // Another handler holds the shared file open for writing meanwhile.
  U().SettingsFile.Assign("held.txt");
  U().SettingsFile.Rewrite();
  U().SettingsFile.WriteLn("half");
  Tick();
  EXPECT_TRUE(App().Terminated());
  EXPECT_TRUE(U().SettingsFile.IsOpen());
  U().SettingsFile.Close();
}

TEST_F(ControlPollTest, LocalBuildTicksAndDoesNothing) {
  UseLocalVariant();
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  WriteFile("server/tovrekcontrol$/control.ini", CrLfLines({"STOP"}));
  plat::SetSchoolMountForTests((Folder() / "server").string());
  Start();
  EXPECT_TRUE(F1().TimerStopNow->Enabled());
  EXPECT_EQ(F1().TimerStopNow->Interval(), 15000u);
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_FALSE(App().Terminated());
  plat::SetSchoolMountForTests(std::nullopt);
}

}  // namespace
}  // namespace tovrek_test
