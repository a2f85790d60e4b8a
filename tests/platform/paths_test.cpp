#include "platform/paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
      {"Subjects\\Maths\\a.txt", "subjects/Maths/a.txt"},
      // "maths" and "Maths" both exist: every spelling reaches the first in
      // byte order, even one that spells the other exactly.
      {"subjects\\maths", "subjects/Maths"},
      {"SUBJECTS\\MATHS", "subjects/Maths"},
      {"subjects\\", "subjects/"},                             // trailing backslash kept
      {"Subjects\\maths\\", "subjects/Maths/"},
      {"Browser\\INDEX.HTM", "browser/index.htm"},
      {"mediafiles\\pic.jpg", "mediafiles/Pic.JPG"},
      {"Missing\\Browser\\x", "Missing/Browser/x"},            // nothing below a missing folder is looked up
      {"subjects\\\\maths", "subjects/Maths"},                 // doubled separator names one level
      {"subjects/maths", "subjects/Maths"},
      {"Subjects\\Physics\\Waves.txt", "subjects/Physics/Waves.txt"},
      {"", ""},
  };
  for (const PathCase& c : cases) EXPECT_EQ(NativePath(c.program), c.native) << c.program;
}

// Case twins are made in both orders, in folders of their own, so that a
// rule that took the folder's own order (creation or hash order) instead of
// byte order would fail for one of them.
TEST_F(NativePathTest, CaseTwinsReachTheFirstInByteOrderWhateverTheFolderOrder) {
  struct Twins {
    std::vector<std::string> made;  // in this order
    std::string reached;
  } const sets[] = {
      {{"a.TXT", "A.txt"}, "A.txt"},
      {{"A.txt", "a.TXT"}, "A.txt"},
      {{"b.txt", "B.TXT", "b.TXT"}, "B.TXT"},
      {{"b.TXT", "B.TXT", "b.txt"}, "B.TXT"},
      {{"Pic.jpg", "PIC.JPG", "pic.JPG", "pic.jpg"}, "PIC.JPG"},
      {{"pic.jpg", "pic.JPG", "PIC.JPG", "Pic.jpg"}, "PIC.JPG"},
  };
  int folder = 0;
  for (const Twins& t : sets) {
    const std::string dir = "twins" + std::to_string(folder++);
    MakeDirs(dir);
    for (const std::string& name : t.made) WriteBytes(dir + "/" + name, name);
    for (const std::string& spelling : t.made)
      EXPECT_EQ(NativePath(dir + "\\" + spelling), dir + "/" + t.reached) << spelling;
  }
}

// The program spells its folders two ways ("Subjects\" to read a topic,
// "subjects\" to test that it exists); with both folders present, both
// spellings must reach the same file.
TEST_F(NativePathTest, TwinFoldersAreOneFolderToTheProgram) {
  for (const char* order : {"sS", "Ss"}) {
    const std::string root = std::string("case-") + order;
    for (const char* c = order; *c; ++c) {
      const std::string folder = root + "/" + (*c == 'S' ? "Subjects" : "subjects") + "/Maths";
      MakeDirs(folder);
      WriteBytes(folder + "/Sums.txt", folder);
    }
    const std::string reading = NativePath(root + "\\Subjects\\Maths\\Sums.txt");
    EXPECT_EQ(reading, NativePath(root + "\\subjects\\Maths\\Sums.txt")) << order;
    EXPECT_EQ(reading, root + "/Subjects/Maths/Sums.txt") << order;
  }
}

// Inside a scope each folder is read once; what changes there meanwhile is
// seen after the scope ends.
TEST_F(NativePathTest, AListingScopeKeepsEachFolderAsFirstReadUntilItEnds) {
  {
    plat::FolderListingScope scope;
    EXPECT_EQ(NativePath("mediafiles\\pic.jpg"), "mediafiles/Pic.JPG");
    EXPECT_EQ(NativePath("MEDIAFILES\\PIC.JPG"), "mediafiles/Pic.JPG");
    EXPECT_EQ(NativePath("mediafiles\\none.jpg"), "mediafiles/none.jpg");
    WriteBytes("mediafiles/PIC.jpg", "twin first in byte order");
    WriteBytes("mediafiles/New.jpg", "y");
    EXPECT_EQ(NativePath("mediafiles\\pic.jpg"), "mediafiles/Pic.JPG");
    EXPECT_EQ(NativePath("mediafiles\\new.jpg"), "mediafiles/new.jpg");
    {
      plat::FolderListingScope inner;
    }
    EXPECT_EQ(NativePath("mediafiles\\new.jpg"), "mediafiles/new.jpg") << "an inner scope forgets nothing";
  }
  EXPECT_EQ(NativePath("mediafiles\\pic.jpg"), "mediafiles/PIC.jpg");
  EXPECT_EQ(NativePath("mediafiles\\new.jpg"), "mediafiles/New.jpg");
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
