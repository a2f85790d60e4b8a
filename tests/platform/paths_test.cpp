#include "platform/paths.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace {

using plat::NativePath;

class NativePathTest : public tovrek_test::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    MakeDirs("subjects/maths");
    MakeDirs("subjects/Maths");
    MakeDirs("setup/pictures");
    MakeDirs("browser");
    WriteBytes("browser/index.htm", "<html>");
    MakeDirs("mediafiles");
    WriteBytes("mediafiles/Pic.JPG", "x");
  }
};

struct PathCase {
  const char* program;
  const char* native;
};

TEST_F(NativePathTest, MapsProgramPaths) {
  const PathCase cases[] = {
      {"setup\\config.ini", "setup/config.ini"},              // missing file kept as written
      {"Setup\\Pictures\\New.jpg", "setup/pictures/New.jpg"},  // folders found ignoring case
      {"Subjects\\Maths\\a.txt", "subjects/Maths/a.txt"},      // exact name preferred
      {"subjects\\maths", "subjects/maths"},
      {"SUBJECTS\\MATHS", "subjects/Maths"},                   // several fit: first in byte order
      {"subjects\\", "subjects/"},                             // trailing backslash kept
      {"Subjects\\maths\\", "subjects/maths/"},
      {"Browser\\INDEX.HTM", "browser/index.htm"},
      {"mediafiles\\pic.jpg", "mediafiles/Pic.JPG"},
      {"Missing\\Browser\\x", "Missing/Browser/x"},            // nothing below a missing folder is looked up
      {"subjects\\\\maths", "subjects/maths"},                 // doubled separator names one level
      {"subjects/maths", "subjects/maths"},
      {"Subjects\\Physics\\Waves.txt", "subjects/Physics/Waves.txt"},
      {"", ""},
  };
  for (const PathCase& c : cases) EXPECT_EQ(NativePath(c.program), c.native) << c.program;
}

TEST_F(NativePathTest, AbsolutePathsAreMatchedBelowTheRoot) {
  const std::string root = Folder().string();
  EXPECT_EQ(NativePath(root + "\\SETUP\\Pictures\\x.jpg"), root + "/setup/pictures/x.jpg");
  EXPECT_EQ(NativePath(root + "/Browser/"), root + "/browser/");
}

TEST_F(NativePathTest, UncPathsLandBelowTheSchoolMount) {
  const std::string mount = (Folder() / "mnt").string();
  MakeDirs("mnt/tovrek$/subjects");
  MakeDirs("mnt/tovrekcontrol$");
  plat::SetSchoolMountForTests(mount);
  EXPECT_EQ(NativePath("\\\\school\\tovrek$\\Subjects\\"), mount + "/tovrek$/subjects/");
  EXPECT_EQ(NativePath("\\\\school\\TOVREKCONTROL$\\control.ini"), mount + "/tovrekcontrol$/control.ini");
  // A folder name that ends in a backslash, joined with another.
  EXPECT_EQ(NativePath("\\\\school\\tovrek$\\browser\\\\index.htm"), mount + "/tovrek$/browser/index.htm");
  EXPECT_EQ(NativePath("\\\\school"), mount);
  plat::SetSchoolMountForTests(std::nullopt);
  EXPECT_NE(plat::SchoolMount(), mount);
}

}  // namespace
