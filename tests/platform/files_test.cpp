#include "platform/files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

}  // namespace
