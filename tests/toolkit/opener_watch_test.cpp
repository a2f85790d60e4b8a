// The shell-open action watches an opener that has not said yet whether it
// found a handler: its failure reaches the error report when it exits, and
// the window never waits for it.
#include <gtest/gtest.h>

#include <optional>

#include "platform/shell.h"
#include "toolkit/shell_action.h"
#include "toolkit_fixture.h"

namespace tk_test {
namespace {

class OpenerWatchTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    plat::SetShellLauncherForTests([](const std::vector<std::string>&, const std::string&) { return 0; });
    plat::SetOpenerExitForTests([this](const std::vector<std::string>&) { return exit_; });
    form = ShowMain("form Main\n  shellaction FileRun1\n  end\nend\n");
    action = form->Get<tk::ShellOpenAction>("FileRun1");
    action->FileName = "http://example.org";
  }
  void TearDown() override {
    plat::SetShellLauncherForTests(nullptr);
    ToolkitTest::TearDown();
  }
  void Wait(uint64_t ms) {
    for (uint64_t t = 0; t < ms; t += 100) clock.Advance(100);
  }

  std::optional<int> exit_;
  TestForm* form = nullptr;
  tk::ShellOpenAction* action = nullptr;
};

TEST_F(OpenerWatchTest, AFailureIsReportedOnceWhenTheOpenerEnds) {
  app.Dispatch([this] { action->Execute(); });
  EXPECT_TRUE(app.ErrorReports().empty());
  Wait(2000);
  EXPECT_TRUE(app.ErrorReports().empty()) << "still running";
  exit_ = 3;
  Wait(tk::ShellOpenAction::kOpenerWatchMs);
  ASSERT_EQ(app.ErrorReports().size(), 1u);
  EXPECT_NE(app.ErrorReports()[0].find("There is no application associated"), std::string::npos);
  Wait(5000);
  EXPECT_EQ(app.ErrorReports().size(), 1u);
  EXPECT_FALSE(plat::OpenersPending());
}

TEST_F(OpenerWatchTest, AnOpenerThatEndsWellIsForgotten) {
  app.Dispatch([this] { action->Execute(); });
  exit_ = 0;
  Wait(tk::ShellOpenAction::kOpenerWatchMs);
  EXPECT_TRUE(app.ErrorReports().empty());
  EXPECT_FALSE(plat::OpenersPending());
}

}  // namespace
}  // namespace tk_test
