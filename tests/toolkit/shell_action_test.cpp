// The shell-open action: a failure reaches the error report with the
// system's text; nothing is reported when the shell takes the file.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/shell.h"
#include "support/temp_folder.h"
#include "toolkit/shell_action.h"
#include "toolkit_fixture.h"

namespace tk_test {
namespace {

class ShellActionTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    form = ShowMain("form Main\n  shellaction FileRun1\n  end\nend\n");
    action = form->Get<tk::ShellOpenAction>("FileRun1");
  }
  void TearDown() override {
    plat::SetShellLauncherForTests(nullptr);
    ToolkitTest::TearDown();
  }

  // Runs the action from a handler, as a button's click would.
  void ExecuteFromHandler() {
    app.Dispatch([this] { action->Execute(); });
  }

  TestForm* form = nullptr;
  tk::ShellOpenAction* action = nullptr;
};

struct FailureCase {
  const char* name;
  const char* file;
  int launcherErrno;  // what starting the opener gives; 0: it starts
  const char* report;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ShellFailureTest : public ShellActionTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ShellFailureTest, ReportsTheSystemsText) {
  const FailureCase& c = GetParam();
  plat::SetShellLauncherForTests([&](const std::vector<std::string>&, const std::string&) { return c.launcherErrno; });
  action->FileName = c.file;
  ExecuteFromHandler();
  ASSERT_EQ(app.ErrorReports().size(), 1u);
  EXPECT_NE(app.ErrorReports()[0].find(c.report), std::string::npos) << app.ErrorReports()[0];
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ShellFailureTest,
    ::testing::Values(
        FailureCase{"NoOpenerForTheLink", "http://example.org", ENOENT,
                    "There is no application associated with the given file name extension."},
        FailureCase{"OpenerNotAllowed", "mailto: someone@example.org", EACCES, "Access is denied."},
        FailureCase{"MissingDocument", "absent.htm", 0, "The system cannot find the file specified."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellActionTest, ALinkTheShellTakesIsHandedOnWithoutAReport) {
  std::vector<std::string> started;
  plat::SetShellLauncherForTests([&](const std::vector<std::string>& argv, const std::string&) {
    started = argv;
    return 0;
  });
  action->FileName = "http://example.org";
  ExecuteFromHandler();
  EXPECT_TRUE(app.ErrorReports().empty());
  ASSERT_FALSE(started.empty());
  EXPECT_EQ(started.back(), "http://example.org");
}

}  // namespace
}  // namespace tk_test
