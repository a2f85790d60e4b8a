#include "platform/shell.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
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
  const auto program = plat::ShellTarget::Program;
  const auto document = plat::ShellTarget::Document;
  struct Case {
    const char* file;
    const char* directory;
    plat::ShellTarget target;
    std::vector<std::string> argv;  // "@" stands for the test folder
    const char* cwd;
  } const cases[] = {
      {"edit.exe", "", program, {"@/edit.exe"}, "@"},
      {"EDIT.EXE", "", program, {"@/edit.exe"}, "@"},
      {"index.htm", "Browser", document, {"xdg-open", "@/browser/index.htm"}, "@/browser"},
      {"browser\\index.htm", "", document, {"xdg-open", "@/browser/index.htm"}, "@"},
      {"http://tovrek.example.org", "", document, {"xdg-open", "http://tovrek.example.org"}, "@"},
      {"mailto: author@example.org", "", document, {"xdg-open", "mailto:author@example.org"}, "@"},
  };
  for (const Case& c : cases) {
    launches_.clear();
    const plat::ShellResult result = plat::ShellOpen(c.file, c.directory, c.target);
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
  ASSERT_GT(plat::ShellOpen(page, "browser", plat::ShellTarget::Document).code, 32);
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
    for (const plat::ShellTarget target : {plat::ShellTarget::Document, plat::ShellTarget::Program}) {
      const plat::ShellResult result = plat::ShellOpen(c.file, c.directory, target);
      EXPECT_EQ(result.code, c.code) << c.file;
      EXPECT_EQ(result.message, plat::ShellErrorText(c.code)) << c.file;
      EXPECT_FALSE(result.message.empty());
    }
  }
  EXPECT_TRUE(launches_.empty());
}

TEST_F(ShellTest, LauncherFailuresBecomeShellCodes) {
  const auto program = plat::ShellTarget::Program;
  const auto document = plat::ShellTarget::Document;
  struct Case {
    const char* file;
    plat::ShellTarget target;
    int err;
    int code;
  } const cases[] = {
      {"edit.exe", program, EACCES, plat::kShellAccessDenied},
      {"edit.exe", program, ENOENT, plat::kShellFileNotFound},
      {"edit.exe", program, ENOEXEC, plat::kShellBadFormat},
      {"browser\\index.htm", document, ENOENT, plat::kShellNoAssociation},  // no xdg-open
      {"http://tovrek.example.org", document, ENOENT, plat::kShellNoAssociation},
  };
  for (const Case& c : cases) {
    launcherResult_ = c.err;
    const plat::ShellResult result = plat::ShellOpen(c.file, "", c.target);
    EXPECT_EQ(result.code, c.code) << c.file << " errno " << c.err;
    EXPECT_LE(result.code, 32);
    EXPECT_FALSE(result.message.empty());
  }
}

TEST_F(ShellTest, ProgramThatCannotRunIsNeverADocument) {
  const auto program = plat::ShellTarget::Program;
  std::filesystem::permissions("edit.exe", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  const plat::ShellResult r = plat::ShellOpen("Edit.Exe", "", program);
  EXPECT_EQ(r.code, plat::kShellAccessDenied);
  EXPECT_EQ(r.message, "Access is denied.");
  MakeDirs("tools/edit.exe");
  EXPECT_EQ(plat::ShellOpen("edit.exe", "tools", program).code, plat::kShellAccessDenied);
  WriteBytes("notes.txt", "text");
  EXPECT_EQ(plat::ShellOpen("notes.txt", "", program).code, plat::kShellAccessDenied);
  EXPECT_TRUE(launches_.empty());
}

// Only the caller decides that a file is a program; its mode never does.
// On FAT, NTFS and SMB mounts every file shows as executable, and a page
// may hold a script.
TEST_F(ShellTest, ADocumentIsNeverStartedWhateverItsMode) {
  const auto document = plat::ShellTarget::Document;
  const std::string root = std::filesystem::current_path().string();
  WriteBytes("browser/index.htm", "#!/bin/sh\ntouch '" + root + "/ran'\n");
  WriteBytes("notes", "#!/bin/sh\n");
  for (const char* name : {"browser/index.htm", "notes"})
    std::filesystem::permissions(name, std::filesystem::perms::all);
  struct Case {
    const char* file;
    const char* directory;
    const char* opened;
  } const cases[] = {
      {"index.htm", "browser", "/browser/index.htm"},
      {"browser\\INDEX.HTM", "", "/browser/index.htm"},
      {"notes", "", "/notes"},
  };
  for (const Case& c : cases) {
    launches_.clear();
    ASSERT_GT(plat::ShellOpen(c.file, c.directory, document).code, 32) << c.file;
    ASSERT_EQ(launches_.size(), 1u) << c.file;
    EXPECT_EQ(launches_[0].argv, (std::vector<std::string>{"xdg-open", root + c.opened})) << c.file;
  }
  // A program's name is no document: the opener is never asked to run it.
  launches_.clear();
  const plat::ShellResult r = plat::ShellOpen("edit.exe", "", document);
  EXPECT_EQ(r.code, plat::kShellAccessDenied);
  EXPECT_EQ(r.message, "Access is denied.");
  EXPECT_TRUE(launches_.empty());
}

// "C:\..." is a drive on Windows, not a link's scheme: it is a file name,
// looked for and opened as one, never handed on as it stands.
TEST_F(ShellTest, ANameWithADriveLetterIsNoLink) {
  const auto document = plat::ShellTarget::Document;
  const std::string root = std::filesystem::current_path().string();
  tovrek_test::WriteFile("C:/page.htm", "<html>");
  WriteBytes("C:/x", "text");
  WriteBytes("D:", "text");
  struct Case {
    const char* file;
    const char* opened;  // nullptr: no such file
  } const cases[] = {
      {"C:\\page.htm", "/C:/page.htm"}, {"c:/x", "/C:/x"},  {"D:", "/D:"},
      {"C:\\Missing\\page.htm", nullptr},  {"e:/x", nullptr}, {"Z:", nullptr},
  };
  for (const Case& c : cases) {
    launches_.clear();
    const plat::ShellResult result = plat::ShellOpen(c.file, "", document);
    if (!c.opened) {
      EXPECT_LE(result.code, 32) << c.file;
      EXPECT_TRUE(launches_.empty()) << c.file;
      continue;
    }
    ASSERT_GT(result.code, 32) << c.file;
    ASSERT_EQ(launches_.size(), 1u) << c.file;
    EXPECT_EQ(launches_[0].argv, (std::vector<std::string>{"xdg-open", root + c.opened})) << c.file;
  }
}

TEST_F(ShellTest, AwkwardFolderNamesTravelAsTheyAre) {
  const std::string folder = "a b'\"$HOME #x";
  MakeDirs(folder);
  WriteBytes(folder + "/edit.exe", "#!/bin/sh\n");
  std::filesystem::permissions(folder + "/edit.exe", std::filesystem::perms::owner_all);
  ASSERT_GT(plat::ShellOpen("edit.exe", folder, plat::ShellTarget::Program).code, 32);
  ASSERT_EQ(launches_.size(), 1u);
  const std::string root = std::filesystem::current_path().string();
  EXPECT_EQ(launches_[0].argv, std::vector<std::string>{root + "/" + folder + "/edit.exe"});
  EXPECT_EQ(launches_[0].cwd, root + "/" + folder);
}

// An opener's verdict comes when it exits; the program never waits for it.
TEST_F(ShellTest, FailedOpenersAreCollectedOnceWhenTheyEnd) {
  std::optional<int> exit;  // the opener still runs
  plat::SetOpenerExitForTests([&](const std::vector<std::string>&) { return exit; });
  ASSERT_GT(plat::ShellOpen("browser\\index.htm", "", plat::ShellTarget::Document).code, 32);
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
  ASSERT_GT(plat::ShellOpen("http://tovrek.example.org", "", plat::ShellTarget::Document).code, 32);
  EXPECT_TRUE(plat::CollectFailedOpeners().empty());
  EXPECT_FALSE(plat::OpenersPending());
  ASSERT_GT(plat::ShellOpen("edit.exe", "", plat::ShellTarget::Program).code, 32);
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
  const plat::ShellResult result = plat::ShellOpen("run.sh", "tools", plat::ShellTarget::Program);
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

// A page that holds a script and has every execute bit set goes to the
// real opener, found only in an absolute folder of PATH: the stand-ins
// planted in the working folder and beside the page, which an empty or
// relative entry would reach, never run, and neither does the page.
TEST_F(RealLauncherTest, TheSystemsOpenerGetsTheExecutablePageAndNothingElseRuns) {
  tovrek_test::HangGuard guard(20);
  const std::string root = std::filesystem::canonical(Folder()).string();
  const std::string fifo = root + "/report";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const auto script = [&](const std::string& path, const std::string& says) {
    tovrek_test::WriteFile(path, "#!/bin/sh\necho \"" + says + "\" > '" + fifo + "'\n");
    std::filesystem::permissions(path, std::filesystem::perms::all);
  };
  script("system/xdg-open", "opener $1");
  script("xdg-open", "planted in the working folder");
  script("browser/xdg-open", "planted beside the page");
  script("browser/index.htm", "the page ran");

  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const char* path = std::getenv("PATH");
  const std::string previousPath = path ? path : "";
  setenv("PATH", (":.:browser:" + root + "/system").c_str(), 1);
  const plat::ShellResult result = plat::ShellOpen("index.htm", "Browser", plat::ShellTarget::Document);
  setenv("PATH", previousPath.c_str(), 1);
  ASSERT_GT(result.code, 32) << result.message;

  std::string output;
  pollfd p{reader, POLLIN, 0};
  while (output.find('\n') == std::string::npos) {
    ASSERT_GT(poll(&p, 1, 15000), 0) << "nothing reported";
    char buffer[512];
    const ssize_t n = read(reader, buffer, sizeof buffer);
    if (n > 0) output.append(buffer, static_cast<size_t>(n));
  }
  // Once the opener has ended, nothing else of ours can still write.
  std::vector<plat::ShellResult> failed;
  while (plat::OpenersPending())
    for (const plat::ShellResult& f : plat::CollectFailedOpeners()) failed.push_back(f);
  EXPECT_TRUE(failed.empty());
  char buffer[512];
  ssize_t n;
  while ((n = read(reader, buffer, sizeof buffer)) > 0) output.append(buffer, static_cast<size_t>(n));
  close(reader);
  EXPECT_EQ(output, "opener " + root + "/browser/index.htm\n");
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

namespace {

// PATH as it may be set: only its absolute folders are searched.
class SearchPathTest : public tovrek_test::TempFolderTest {};

TEST_F(SearchPathTest, OnlyAbsoluteFoldersAreSearched) {
  const std::string root = std::filesystem::canonical(Folder()).string();
  for (const char* program : {"xdg-open", "rel/xdg-open", "bin/xdg-open", "sys/xdg-open", "sys2/xdg-open"}) {
    tovrek_test::WriteFile(program, "#!/bin/sh\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  }
  tovrek_test::WriteFile("plain/xdg-open", "not a program");
  MakeDirs("dir/xdg-open");
  std::filesystem::permissions("dir/xdg-open", std::filesystem::perms::all);
  struct Case {
    std::string path;  // "@" stands for the test folder
    std::string found;
  } const cases[] = {
      {"", ""},
      {":", ""},
      {".", ""},
      {"rel", ""},
      {"./rel:bin", ""},
      {"rel/../sys", ""},
      {":@/sys", "@/sys/xdg-open"},
      {"@/sys:", "@/sys/xdg-open"},
      {".:rel::@/sys2", "@/sys2/xdg-open"},
      {"@/sys2:@/sys", "@/sys2/xdg-open"},
      {"@/missing:@/plain:@/dir:@/sys", "@/sys/xdg-open"},
      {"@/plain:@/dir", ""},
  };
  const auto expand = [&](std::string text) {
    for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + root.size()))
      text.replace(at, 1, root);
    return text;
  };
  for (const Case& c : cases) EXPECT_EQ(plat::FindInSearchPath("xdg-open", expand(c.path)), expand(c.found)) << c.path;
}

}  // namespace
