#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public tovrek_test::TempFolderTest {
 protected:
  static size_t EntriesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
  }
  // The code the write fails with; 0 when it succeeds.
  static int CodeOfWrite(const std::string& path, const std::string& bytes) {
    try {
      plat::WriteFileAtomically(path, bytes);
      return 0;
    } catch (const plat::InOutError& e) {
      EXPECT_EQ(e.FileName(), path);
      return e.Code();
    }
  }
};

TEST_F(AtomicFileTest, WritesANewFileInBlocksWithOrdinaryPermissions) {
  MakeDirs("setup");
  {
    plat::AtomicFile file("Setup\\new.txt");
    file.Write("one ");
    file.Write(std::string(100000, 'x'));
    file.Write(" two");
    file.Commit();
  }
  EXPECT_EQ(ReadBytes("setup/new.txt"), "one " + std::string(100000, 'x') + " two");
  EXPECT_EQ(EntriesIn("setup"), 1u);
  struct stat st {};
  ASSERT_EQ(stat("setup/new.txt", &st), 0);
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST_F(AtomicFileTest, ReplacesTheFileEveryIgnoringCaseSpellingReaches) {
  tovrek_test::WriteFile("setup/Config.ini", "old");
  plat::WriteFileAtomically("SETUP\\config.INI", "new");
  EXPECT_EQ(ReadBytes("setup/Config.ini"), "new");
  EXPECT_EQ(EntriesIn("setup"), 1u);
}

TEST_F(AtomicFileTest, UncommittedWriteLeavesTheOldFileAndNoTemporary) {
  tovrek_test::WriteFile("browser/index.htm", "old page");
  {
    plat::AtomicFile file("browser\\index.htm");
    file.Write("half a new pa");
  }
  EXPECT_EQ(ReadBytes("browser/index.htm"), "old page");
  EXPECT_EQ(EntriesIn("browser"), 1u);
}

TEST_F(AtomicFileTest, InjectedFailurePartWayLeavesTheOldFileAndNoTemporary) {
  tovrek_test::WriteFile("setup/config.ini", "old");
  for (size_t after : {size_t{0}, size_t{3}, size_t{5}}) {
    plat::FailAtomicWritesAfterForTests(after);
    EXPECT_EQ(CodeOfWrite("setup\\config.ini", "abcdef"), plat::kIoDiskWriteError) << after;
    plat::FailAtomicWritesAfterForTests(std::nullopt);
    EXPECT_EQ(ReadBytes("setup/config.ini"), "old");
    EXPECT_EQ(EntriesIn("setup"), 1u);
  }
}

// A link at the target's own name is replaced by the new file; what it
// pointed to is never touched.
TEST_F(AtomicFileTest, LinkAtTheTargetIsReplacedNotWrittenThrough) {
  WriteBytes("outside.txt", "keep");
  MakeDirs("work/setup");
  tovrek_test::MakeLink("../../outside.txt", "work/setup/config.ini");
  fs::current_path("work");
  EXPECT_EQ(CodeOfWrite("setup\\config.ini", "new"), 0);
  EXPECT_EQ(ReadBytes("../outside.txt"), "keep");
  EXPECT_FALSE(fs::is_symlink("setup/config.ini"));
  EXPECT_EQ(ReadBytes("setup/config.ini"), "new");
}

// No write leaves the working folder: not through a folder that is a link,
// nor through "..", and a folder that is missing or a file fails cleanly.
TEST_F(AtomicFileTest, FoldersThatLeadElsewhereOrAreMissingAreRefused) {
  MakeDirs("elsewhere");
  MakeDirs("work");
  WriteBytes("work/plain", "a file");
  tovrek_test::MakeLink("../elsewhere", "work/setup");
  tovrek_test::MakeLink("/tmp", "work/tmp");
  fs::current_path("work");
  struct Case {
    const char* path;
    int code;
  } const cases[] = {
      {"setup\\config.ini", plat::kIoAccessDenied},
      {"tmp\\x.txt", plat::kIoAccessDenied},
      {"..\\elsewhere\\x.txt", plat::kIoAccessDenied},
      {"missing\\x.txt", plat::kIoPathNotFound},
      {"plain\\x.txt", plat::kIoPathNotFound},
  };
  for (const Case& c : cases) EXPECT_EQ(CodeOfWrite(c.path, "data"), c.code) << c.path;
  EXPECT_EQ(EntriesIn("../elsewhere"), 0u);
  EXPECT_EQ(ReadBytes("plain"), "a file");
}

TEST_F(AtomicFileTest, AFolderAtTheTargetsNameStays) {
  MakeDirs("setup/config.ini");
  EXPECT_NE(CodeOfWrite("setup\\config.ini", "data"), 0);
  EXPECT_TRUE(fs::is_directory("setup/config.ini"));
  EXPECT_EQ(EntriesIn("setup"), 1u);
}

}  // namespace
