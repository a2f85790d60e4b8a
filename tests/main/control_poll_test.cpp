// The control-file poll: every 15 s in both builds; only the school build
// reads the control file, and a first line "STOP" (upper-cased a to z)
// ends the program at once.
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
  void SetControl(const std::vector<std::string>& lines) {
    WriteFile(SharePath("tovrekcontrol$") + "/control.ini", CrLfLines(lines));
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
