#include "platform/shell.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_folder.h"

namespace {

struct Launch {
  std::vector<std::string> argv;
  std::string cwd;
};

class ShellTest : public tovrek_test::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    plat::SetShellLauncherForTests([this](const std::vector<std::string>& argv, const std::string& cwd) {
      launches_.push_back({argv, cwd});
      return launcherResult_;
    });
    MakeDirs("browser");
    WriteBytes("browser/index.htm", "<html>");
    WriteBytes("edit.exe", "#!/bin/sh\n");
    std::filesystem::permissions("edit.exe", std::filesystem::perms::owner_all);
  }
  void TearDown() override {
    plat::SetShellLauncherForTests(nullptr);
    TempFolderTest::TearDown();
  }

  std::vector<Launch> launches_;
  int launcherResult_ = 0;
};

TEST_F(ShellTest, WhatIsStarted) {
  struct Case {
    const char* file;
    const char* directory;
    std::vector<std::string> argv;  // "@" stands for the test folder
    const char* cwd;
  } const cases[] = {
      {"edit.exe", "", {"@/edit.exe"}, "@"},
      {"EDIT.EXE", "", {"@/edit.exe"}, "@"},
      {"index.htm", "Browser", {"xdg-open", "@/browser/index.htm"}, "@/browser"},
      {"browser\\index.htm", "", {"xdg-open", "@/browser/index.htm"}, "@"},
      {"http://tovrek.example.org", "", {"xdg-open", "http://tovrek.example.org"}, "@"},
      {"mailto: author@example.org", "", {"xdg-open", "mailto:author@example.org"}, "@"},
  };
  for (const Case& c : cases) {
    launches_.clear();
    const plat::ShellResult result = plat::ShellOpen(c.file, c.directory);
    EXPECT_GT(result.code, 32) << c.file;
    ASSERT_EQ(launches_.size(), 1u) << c.file;
    std::vector<std::string> expected;
    for (std::string arg : c.argv) {
      if (arg[0] == '@') arg = std::filesystem::current_path().string() + arg.substr(1);
      expected.push_back(arg);
    }
    EXPECT_EQ(launches_[0].argv, expected) << c.file;
    EXPECT_EQ(launches_[0].cwd, std::filesystem::current_path().string() + (c.cwd + 1)) << c.file;
  }
}

TEST_F(ShellTest, AbsoluteFileIgnoresTheDirectory) {
  const std::string page = std::filesystem::current_path().string() + "/browser/index.htm";
  ASSERT_GT(plat::ShellOpen(page, "browser").code, 32);
  ASSERT_EQ(launches_.size(), 1u);
  EXPECT_EQ(launches_[0].argv, (std::vector<std::string>{"xdg-open", page}));
}

TEST_F(ShellTest, MissingFileOrFolderIsReportedWithoutStarting) {
  struct Case {
    const char* file;
    const char* directory;
    int code;
  } const cases[] = {
      {"nothing.exe", "", plat::kShellFileNotFound},
      {"index.html", "browser", plat::kShellFileNotFound},
      {"x\\index.htm", "browser", plat::kShellPathNotFound},
      {"index.htm", "nowhere", plat::kShellPathNotFound},
      {"", "", plat::kShellFileNotFound},
  };
  for (const Case& c : cases) {
    const plat::ShellResult result = plat::ShellOpen(c.file, c.directory);
    EXPECT_EQ(result.code, c.code) << c.file;
    EXPECT_EQ(result.message, plat::ShellErrorText(c.code)) << c.file;
    EXPECT_FALSE(result.message.empty());
  }
  EXPECT_TRUE(launches_.empty());
}

TEST_F(ShellTest, LauncherFailuresBecomeShellCodes) {
  struct Case {
    const char* file;
    int err;
    int code;
  } const cases[] = {
      {"edit.exe", EACCES, plat::kShellAccessDenied},
      {"edit.exe", ENOENT, plat::kShellFileNotFound},
      {"edit.exe", ENOEXEC, plat::kShellBadFormat},
      {"browser\\index.htm", ENOENT, plat::kShellNoAssociation},  // no xdg-open
      {"http://tovrek.example.org", ENOENT, plat::kShellNoAssociation},
  };
  for (const Case& c : cases) {
    launcherResult_ = c.err;
    const plat::ShellResult result = plat::ShellOpen(c.file, "");
    EXPECT_EQ(result.code, c.code) << c.file << " errno " << c.err;
    EXPECT_LE(result.code, 32);
    EXPECT_FALSE(result.message.empty());
  }
}

TEST_F(ShellTest, ProgramThatCannotRunIsNeverADocument) {
  std::filesystem::permissions("edit.exe", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  const plat::ShellResult r = plat::ShellOpen("Edit.Exe", "");
  EXPECT_EQ(r.code, plat::kShellAccessDenied);
  EXPECT_EQ(r.message, "Access is denied.");
  MakeDirs("tools/edit.exe");
  EXPECT_EQ(plat::ShellOpen("edit.exe", "tools").code, plat::kShellAccessDenied);
  EXPECT_TRUE(launches_.empty());
  // Any other file without the execute bit is a document.
  WriteBytes("notes.txt", "text");
  ASSERT_GT(plat::ShellOpen("notes.txt", "").code, 32);
  ASSERT_EQ(launches_.size(), 1u);
  EXPECT_EQ(launches_[0].argv.at(0), "xdg-open");
}

TEST_F(ShellTest, AwkwardFolderNamesTravelAsTheyAre) {
  const std::string folder = "a b'\"$HOME #x";
  MakeDirs(folder);
  WriteBytes(folder + "/edit.exe", "#!/bin/sh\n");
  std::filesystem::permissions(folder + "/edit.exe", std::filesystem::perms::owner_all);
  ASSERT_GT(plat::ShellOpen("edit.exe", folder).code, 32);
  ASSERT_EQ(launches_.size(), 1u);
  const std::string root = std::filesystem::current_path().string();
  EXPECT_EQ(launches_[0].argv, std::vector<std::string>{root + "/" + folder + "/edit.exe"});
  EXPECT_EQ(launches_[0].cwd, root + "/" + folder);
}

// An opener's verdict comes when it exits; the program never waits for it.
TEST_F(ShellTest, FailedOpenersAreCollectedOnceWhenTheyEnd) {
  std::optional<int> exit;  // the opener still runs
  plat::SetOpenerExitForTests([&](const std::vector<std::string>&) { return exit; });
  ASSERT_GT(plat::ShellOpen("browser\\index.htm", "").code, 32);
  EXPECT_TRUE(plat::OpenersPending());
  EXPECT_TRUE(plat::CollectFailedOpeners().empty());
  EXPECT_TRUE(plat::OpenersPending());
  exit = 3;
  std::vector<plat::ShellResult> failed = plat::CollectFailedOpeners();
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(failed[0].code, plat::kShellNoAssociation);
  EXPECT_EQ(failed[0].message, "There is no application associated with the given file name extension.");
  EXPECT_FALSE(plat::OpenersPending());
  EXPECT_TRUE(plat::CollectFailedOpeners().empty());

  // One that ends well is dropped without a word; a program started
  // directly is not watched at all.
  exit = 0;
  ASSERT_GT(plat::ShellOpen("http://tovrek.example.org", "").code, 32);
  EXPECT_TRUE(plat::CollectFailedOpeners().empty());
  EXPECT_FALSE(plat::OpenersPending());
  ASSERT_GT(plat::ShellOpen("edit.exe", "").code, 32);
  EXPECT_FALSE(plat::OpenersPending());
  EXPECT_EQ(plat::ShellCodeForOpenerExit(2), plat::kShellFileNotFound);
  EXPECT_EQ(plat::ShellCodeForOpenerExit(4), plat::kShellNoAssociation);
}

// The real launcher, once: a script reports its working folder through a
// FIFO, so the test waits for the event itself and not for a time.
class RealLauncherTest : public tovrek_test::TempFolderTest {};

TEST_F(RealLauncherTest, StartsDetachedInTheDirectory) {
  const std::string root = std::filesystem::canonical(Folder()).string();
  MakeDirs("Tools");
  const std::string fifo = root + "/report";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  WriteBytes("Tools/run.sh", "#!/bin/sh\npwd -P > '" + fifo + "'\n");
  std::filesystem::permissions("Tools/run.sh", std::filesystem::perms::owner_all);

  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const plat::ShellResult result = plat::ShellOpen("run.sh", "tools");
  ASSERT_GT(result.code, 32) << result.message;

  std::string output;
  pollfd p{reader, POLLIN, 0};
  while (output.find('\n') == std::string::npos) {
    ASSERT_GT(poll(&p, 1, 20000), 0) << "the script did not report";
    char buffer[512];
    const ssize_t n = read(reader, buffer, sizeof buffer);
    if (n == 0) break;  // the script closed its end
    if (n > 0) output.append(buffer, static_cast<size_t>(n));
  }
  close(reader);
  EXPECT_EQ(output, root + "/Tools\n");

  // Both children are gone from our table: nothing left to reap.
  int status = 0;
  errno = 0;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(RealLauncherTest, ReportsWhatCouldNotStart) {
  EXPECT_EQ(plat::LaunchDetached({"/nonexistent/program"}, "."), ENOENT);
  EXPECT_EQ(plat::LaunchDetached({"no-such-program-anywhere"}, "."), ENOENT);
  EXPECT_EQ(plat::LaunchDetached({"/bin/sh", "-c", "exit 0"}, "/nonexistent/folder"), ENOENT);
  WriteBytes("plain.txt", "not a program");
  std::filesystem::permissions("plain.txt", std::filesystem::perms::owner_all);
  EXPECT_EQ(plat::LaunchDetached({(Folder() / "plain.txt").string()}, "."), ENOEXEC);
}

}  // namespace
