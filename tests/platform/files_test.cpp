#include "platform/files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/atomic_file.h"
#include "support/temp_folder.h"

namespace {

class FilesTest : public tovrek_test::TempFolderTest {
 protected:
  static bool OwnerMayWrite(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) != 0;
  }
};

TEST_F(FilesTest, ExistenceTellsFoldersFromFiles) {
  MakeDirs("setup/pictures");
  WriteBytes("default.jpg", "x");
  struct Case {
    const char* path;
    bool directory;
    bool file;
  } const cases[] = {
      {"setup", true, false},
      {"Setup\\Pictures", true, false},
      {"setup\\pictures\\", true, false},
      {"default.jpg", false, true},
      {"DEFAULT.JPG", false, true},
      {"missing", false, false},
      {"setup\\missing.ini", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(plat::DirectoryExists(c.path), c.directory) << c.path;
    EXPECT_EQ(plat::FileExists(c.path), c.file) << c.path;
  }
}

TEST_F(FilesTest, CreateAndRemoveOneLevel) {
  EXPECT_TRUE(plat::CreateDir("disktest"));
  EXPECT_TRUE(plat::DirectoryExists("disktest"));
  EXPECT_FALSE(plat::CreateDir("disktest"));  // already there
  EXPECT_FALSE(plat::CreateDir("DISKTEST"));  // the same folder, ignoring case
  EXPECT_FALSE(plat::CreateDir("a\\b"));      // one level only
  WriteBytes("plain", "x");
  EXPECT_FALSE(plat::CreateDir("plain"));

  WriteBytes("disktest/inside", "x");
  EXPECT_FALSE(plat::RemoveDir("disktest"));  // not empty
  std::filesystem::remove("disktest/inside");
  EXPECT_TRUE(plat::RemoveDir("DiskTest"));
  EXPECT_FALSE(plat::DirectoryExists("disktest"));
  EXPECT_FALSE(plat::RemoveDir("disktest"));
  EXPECT_FALSE(plat::RemoveDir("plain"));
}

TEST_F(FilesTest, CopyRespectsFailIfExists) {
  const std::string bytes("\xFF\xD8 jpeg\0bytes\r\n", 15);
  WriteBytes("default.jpg", bytes);
  MakeDirs("setup/pictures");

  EXPECT_TRUE(plat::CopyFileTo("Default.jpg", "setup\\pictures\\default.jpg", true));
  EXPECT_EQ(ReadBytes("setup/pictures/default.jpg"), bytes);

  WriteBytes("setup/pictures/default.jpg", "old");
  EXPECT_FALSE(plat::CopyFileTo("default.jpg", "setup\\pictures\\default.jpg", true));
  EXPECT_EQ(ReadBytes("setup/pictures/default.jpg"), "old");

  EXPECT_TRUE(plat::CopyFileTo("default.jpg", "setup\\pictures\\DEFAULT.JPG", false));
  EXPECT_EQ(ReadBytes("setup/pictures/default.jpg"), bytes);
  EXPECT_FALSE(std::filesystem::exists("setup/pictures/DEFAULT.JPG"));
}

TEST_F(FilesTest, CopyFailures) {
  WriteBytes("a.jpg", "picture");
  MakeDirs("folder");
  EXPECT_FALSE(plat::CopyFileTo("missing.jpg", "b.jpg", false));
  EXPECT_FALSE(std::filesystem::exists("b.jpg"));
  EXPECT_FALSE(plat::CopyFileTo("a.jpg", "nowhere\\b.jpg", false));
  EXPECT_FALSE(plat::CopyFileTo("folder", "b.jpg", false));
  EXPECT_FALSE(plat::CopyFileTo("a.jpg", "folder", false));
  // Onto itself, under another spelling: must not empty the file.
  EXPECT_FALSE(plat::CopyFileTo("a.jpg", "A.JPG", false));
  EXPECT_EQ(ReadBytes("a.jpg"), "picture");
}

// default.jpg is copied into setup\pictures at start-up: a pipe in its
// place would block the copy for ever, a link to /dev/zero would fill the
// disk. Only a regular file is copied, and only onto nothing or a regular
// file.
TEST_F(FilesTest, CopiesRegularFilesOnly) {
  tovrek_test::HangGuard guard;
  MakeDirs("setup/pictures");
  WriteBytes("real.jpg", "picture");
  MakeFifo("pipe.jpg");
  MakeLink("/dev/zero", "zero.jpg");
  MakeLink("real.jpg", "to-real.jpg");
  struct Case {
    const char* source;
    bool copied;
  } const cases[] = {{"pipe.jpg", false}, {"zero.jpg", false}, {"/dev/null", false}, {"to-real.jpg", true}};
  for (const Case& c : cases) {
    for (const bool failIfExists : {true, false}) {
      std::filesystem::remove("setup/pictures/default.jpg");
      EXPECT_EQ(plat::CopyFileTo(c.source, "setup\\pictures\\default.jpg", failIfExists), c.copied) << c.source;
      EXPECT_EQ(std::filesystem::exists("setup/pictures/default.jpg"), c.copied) << c.source;
    }
  }
  EXPECT_EQ(ReadBytes("setup/pictures/default.jpg"), "picture");

  // Onto a pipe nobody reads, or a device: refused, nothing blocks.
  MakeFifo("setup/pictures/pipe.jpg");
  EXPECT_FALSE(plat::CopyFileTo("real.jpg", "setup\\pictures\\pipe.jpg", false));
  EXPECT_FALSE(plat::CopyFileTo("real.jpg", "/dev/null", false));
}

TEST_F(FilesTest, IsRegularFileOnlyForPlainFiles) {
  WriteBytes("real.jpg", "x");
  MakeDirs("folder");
  MakeFifo("pipe.jpg");
  MakeLink("/dev/zero", "zero.jpg");
  MakeLink("real.jpg", "to-real.jpg");
  MakeLink("gone.jpg", "dangling.jpg");
  struct Case {
    const char* path;
    bool regular;
  } const cases[] = {{"real.jpg", true},  {"REAL.JPG", true},  {"to-real.jpg", true}, {"folder", false},
                     {"pipe.jpg", false}, {"zero.jpg", false}, {"dangling.jpg", false}, {"missing", false}};
  for (const Case& c : cases) EXPECT_EQ(plat::IsRegularFile(c.path), c.regular) << c.path;
}

TEST_F(FilesTest, ReadWholeFileReadsRegularFilesOnly) {
  tovrek_test::HangGuard guard;
  const std::string big(200000, '\xAB');  // more than one block
  WriteBytes("big.bmp", big);
  WriteBytes("empty.bmp", "");
  MakeDirs("folder.bmp");
  MakeFifo("pipe.bmp");
  MakeLink("/dev/zero", "zero.bmp");
  struct Case {
    const char* path;
    bool read;
    std::string bytes;
  } const cases[] = {
      {"BIG.BMP", true, big},        {"empty.bmp", true, ""},   {"folder.bmp", false, ""},
      {"pipe.bmp", false, ""},       {"zero.bmp", false, ""},   {"missing.bmp", false, ""},
  };
  for (const Case& c : cases) {
    std::string bytes = "stale";
    bool opened = !c.read;
    EXPECT_EQ(plat::ReadWholeFile(c.path, bytes, &opened), c.read) << c.path;
    EXPECT_EQ(opened, c.read) << c.path;
    EXPECT_EQ(bytes, c.bytes) << c.path;
  }
}

TEST_F(FilesTest, ReadOnlyFilesNeedSetArchiveOnlyBeforeDelete) {
  WriteBytes("pic.jpg", "x");
  MakeReadOnly("pic.jpg");
  EXPECT_FALSE(plat::DeleteFileAt("pic.jpg"));
  EXPECT_TRUE(std::filesystem::exists("pic.jpg"));

  EXPECT_TRUE(plat::SetArchiveOnly("PIC.JPG"));
  EXPECT_TRUE(OwnerMayWrite("pic.jpg"));
  EXPECT_TRUE(plat::DeleteFileAt("Pic.jpg"));
  EXPECT_FALSE(std::filesystem::exists("pic.jpg"));

  EXPECT_FALSE(plat::DeleteFileAt("pic.jpg"));
  EXPECT_FALSE(plat::SetArchiveOnly("pic.jpg"));
  MakeDirs("folder");
  EXPECT_FALSE(plat::DeleteFileAt("folder"));
  EXPECT_TRUE(std::filesystem::exists("folder"));
}

TEST_F(FilesTest, CopyKeepsReadOnlyAndWillNotOverwriteIt) {
  WriteBytes("src.jpg", "new");
  WriteBytes("dst.jpg", "old");
  MakeReadOnly("dst.jpg");
  EXPECT_FALSE(plat::CopyFileTo("src.jpg", "dst.jpg", false));
  EXPECT_EQ(ReadBytes("dst.jpg"), "old");

  MakeReadOnly("src.jpg");
  EXPECT_TRUE(plat::CopyFileTo("src.jpg", "copy.jpg", true));
  EXPECT_FALSE(OwnerMayWrite("copy.jpg"));
}

// A leftover link where the copy goes, or a folder on the way that is a
// link, never carries the copy out of the working folder: with
// failIfExists the link counts as a file already there; without, the copy
// takes the link's place.
TEST_F(FilesTest, CopyNeverWritesThroughALink) {
  WriteBytes("outside.jpg", "keep");
  MakeDirs("elsewhere");
  MakeDirs("work/setup/pictures");
  WriteBytes("work/default.jpg", "picture");
  MakeLink("../../../outside.jpg", "work/setup/pictures/default.jpg");
  MakeLink("../../../missing.jpg", "work/setup/pictures/dangling.jpg");
  MakeLink("../elsewhere", "work/linked");
  std::filesystem::current_path("work");
  const auto isLink = [](const char* path) { return std::filesystem::is_symlink(path); };

  EXPECT_FALSE(plat::CopyFileTo("default.jpg", "setup\\pictures\\default.jpg", true));
  EXPECT_FALSE(plat::CopyFileTo("default.jpg", "setup\\pictures\\dangling.jpg", true));
  EXPECT_TRUE(isLink("setup/pictures/default.jpg"));
  EXPECT_TRUE(isLink("setup/pictures/dangling.jpg"));
  EXPECT_EQ(ReadBytes("../outside.jpg"), "keep");
  EXPECT_FALSE(std::filesystem::exists("../missing.jpg"));

  EXPECT_TRUE(plat::CopyFileTo("default.jpg", "setup\\pictures\\default.jpg", false));
  EXPECT_TRUE(plat::CopyFileTo("default.jpg", "setup\\pictures\\dangling.jpg", false));
  for (const char* copy : {"setup/pictures/default.jpg", "setup/pictures/dangling.jpg"}) {
    EXPECT_FALSE(isLink(copy)) << copy;
    EXPECT_EQ(ReadBytes(copy), "picture") << copy;
  }
  EXPECT_EQ(ReadBytes("../outside.jpg"), "keep");
  EXPECT_FALSE(std::filesystem::exists("../missing.jpg"));

  for (const bool failIfExists : {true, false})
    EXPECT_FALSE(plat::CopyFileTo("default.jpg", "linked\\default.jpg", failIfExists));
  EXPECT_TRUE(std::filesystem::is_empty("../elsewhere"));
}

// A copy that fails part way leaves what was there and nothing beside it.
TEST_F(FilesTest, FailedCopyLeavesNoPartOfIt) {
  WriteBytes("default.jpg", std::string(200000, 'p'));
  MakeDirs("setup/pictures");
  WriteBytes("setup/pictures/old.jpg", "old");
  plat::FailAtomicWritesAfterForTests(100000);
  EXPECT_FALSE(plat::CopyFileTo("default.jpg", "setup\\pictures\\default.jpg", true));
  EXPECT_FALSE(plat::CopyFileTo("default.jpg", "setup\\pictures\\old.jpg", false));
  plat::FailAtomicWritesAfterForTests(std::nullopt);
  EXPECT_EQ(ReadBytes("setup/pictures/old.jpg"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("setup/pictures"), {}), 1);
}

// The write-access test makes a file under a fresh name and removes it:
// nothing left in the folder under any name is followed, changed or taken
// for the verdict.
TEST_F(FilesTest, WriteAccessProbeFollowsNothingAndLeavesNothing) {
  WriteBytes("outside.txt", "keep");
  MakeDirs("elsewhere");
  MakeDirs("work/folder");
  MakeLink("../elsewhere", "work/disktest");
  MakeLink("../missing", "work/folder/disktest");
  MakeLink("../elsewhere", "work/linked");
  std::filesystem::current_path("work");
  EXPECT_TRUE(plat::CanWriteIn(""));
  EXPECT_TRUE(plat::CanWriteIn("Folder"));
  EXPECT_FALSE(plat::CanWriteIn("linked"));
  EXPECT_FALSE(plat::CanWriteIn("missing"));
  plat::FailAtomicWritesAfterForTests(0);
  EXPECT_FALSE(plat::CanWriteIn(""));
  plat::FailAtomicWritesAfterForTests(std::nullopt);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 3);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("folder"), {}), 1);
  EXPECT_TRUE(std::filesystem::is_symlink("disktest"));
  EXPECT_TRUE(std::filesystem::is_empty("../elsewhere"));
  EXPECT_FALSE(std::filesystem::exists("../missing"));
}

}  // namespace
