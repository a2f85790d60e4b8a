#include "platform/files.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/paths.h"
#include "support/temp_folder.h"

namespace {

using plat::faAnyFile;
using plat::faArchive;
using plat::faDirectory;
using plat::faHidden;
using plat::faReadOnly;
using plat::faSysFile;

TEST(MatchesMaskTest, WindowsWildcards) {
  const std::vector<std::string> names = {"a", "a.txt", "A.TXT", "a.txt.bak", ".hidden", "x.y.z", ".", ".."};
  struct Case {
    const char* mask;
    std::vector<std::string> matching;
  } const cases[] = {
      {"*.*", names},
      {"*", names},
      {"*.", {"a", ".", ".."}},  // no extension; the dot entries count as such
      {"*.txt", {"a.txt", "A.TXT"}},
      {"*.TXT", {"a.txt", "A.TXT"}},
      {"*.bak", {"a.txt.bak"}},
      {"*.z", {"x.y.z"}},
      {"a.*", {"a", "a.txt", "A.TXT", "a.txt.bak"}},
      {"?.txt", {"a.txt", "A.TXT"}},
      {"?", {"a"}},
      {"a?", {"a"}},  // a trailing '?' may match nothing
      {"a", {"a"}},
      {".*", {".hidden", ".", ".."}},
      {"x.?.z", {"x.y.z"}},
  };
  for (const Case& c : cases) {
    for (const std::string& name : names) {
      const bool expected = std::find(c.matching.begin(), c.matching.end(), name) != c.matching.end();
      EXPECT_EQ(plat::MatchesMask(name, c.mask), expected) << "mask " << c.mask << ", name " << name;
    }
  }
}

class FindTest : public tovrek_test::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    MakeDirs("subjects/maths/Sub");
    MakeDirs("subjects/maths/.hdir");
    for (const char* name : {"b.txt", "A.txt", "c", "Zeta.TXT", "alpha.txt.bak", ".hidden"})
      WriteBytes(std::string("subjects/maths/") + name, "12345");
  }

  static std::vector<std::string> Names(const std::string& mask, int attr) {
    std::vector<std::string> names;
    plat::SearchRec rec;
    for (int r = plat::FindFirst(mask, attr, rec); r == 0; r = plat::FindNext(rec)) names.push_back(rec.Name);
    plat::FindClose(rec);
    return names;
  }
};

TEST_F(FindTest, FiltersByAttributeAndSortsIgnoringCase) {
  using V = std::vector<std::string>;
  struct Case {
    const char* mask;
    int attr;
    V names;
  } const cases[] = {
      {"subjects\\maths\\*.*", faAnyFile,
       {".", "..", ".hdir", ".hidden", "A.txt", "alpha.txt.bak", "b.txt", "c", "Sub", "Zeta.TXT"}},
      {"subjects\\maths\\*.*", 0, {"A.txt", "alpha.txt.bak", "b.txt", "c", "Zeta.TXT"}},
      {"subjects\\maths\\*.*", faDirectory, {".", "..", "A.txt", "alpha.txt.bak", "b.txt", "c", "Sub", "Zeta.TXT"}},
      {"subjects\\maths\\*.*", faHidden, {".hidden", "A.txt", "alpha.txt.bak", "b.txt", "c", "Zeta.TXT"}},
      {"subjects\\maths\\*.*", faSysFile, {"A.txt", "alpha.txt.bak", "b.txt", "c", "Zeta.TXT"}},
      {"subjects\\maths\\*.", faDirectory, {".", "..", "c", "Sub"}},
      {"Subjects\\Maths\\*.txt", faAnyFile, {"A.txt", "b.txt", "Zeta.TXT"}},
      {"subjects\\maths\\sub", faDirectory, {"Sub"}},
      {"subjects\\maths\\sub", 0, {}},
      {"subjects\\*.", faDirectory, {".", "..", "maths"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Names(c.mask, c.attr), c.names) << c.mask << " attr " << c.attr;
}

// "." and ".." come first even where names sort before them ('!', '#',
// '-' and '+' are below '.'), and the rest follow CompareText: upper-cased,
// so '_' and '`' sort after every letter (lower-casing would put them
// before).
TEST_F(FindTest, DotEntriesFirstThenTheProgramsCollation) {
  MakeDirs("order");
  for (const char* name : {"a{", "a`c", "a_b", "aZ", "ab", "-dash", "+plus", "#hash", "!bang", "A1"})
    WriteBytes(std::string("order/") + name, "x");
  EXPECT_EQ(Names("order\\*.*", faDirectory),
            (std::vector<std::string>{".", "..", "!bang", "#hash", "+plus", "-dash", "A1", "ab", "aZ", "a_b",
                                      "a`c", "a{"}));
}

// A Linux name may hold '\', which the program would read as a folder
// separator ("..\..\outside.txt" would scan a file outside the subject);
// no Windows name holds one, so the search never offers it.
TEST_F(FindTest, NamesWithABackslashAreNotListed) {
  WriteBytes("outside.txt", "[[qend\r\n");
  WriteBytes("subjects/maths/..\\..\\outside.txt", "x");
  WriteBytes("subjects/maths/x\\y.txt", "x");
  MakeDirs("subjects/maths/sub\\dir");
  EXPECT_EQ(Names("subjects\\maths\\*.txt", faAnyFile), (std::vector<std::string>{"A.txt", "b.txt", "Zeta.TXT"}));
  EXPECT_EQ(Names("subjects\\maths\\*.", faDirectory), (std::vector<std::string>{".", "..", "c", "Sub"}));
}

// Names equal ignoring case are one name to a Windows user: the search lists
// the one every spelling reaches (the first in byte order), so what is
// listed is what the existence checks see and what is read. The twins are
// made in both orders so the folder's own order cannot decide.
TEST_F(FindTest, CaseTwinsAreListedOnceUnderTheNameThatIsReached) {
  for (const char* folder : {"one", "two"}) {
    MakeDirs(folder);
    const bool reversed = std::string(folder) == "two";
    const std::vector<std::string> files = reversed ? std::vector<std::string>{"a.TXT", "A.txt", "b.txt", "B.TXT"}
                                                    : std::vector<std::string>{"A.txt", "a.TXT", "B.TXT", "b.txt"};
    for (const std::string& name : files) WriteBytes(std::string(folder) + "/" + name, name);
    // A folder and a file that are twins: the folder comes first in byte order.
    if (reversed) {
      WriteBytes(std::string(folder) + "/sub", "file");
      MakeDirs(std::string(folder) + "/Sub");
    } else {
      MakeDirs(std::string(folder) + "/Sub");
      WriteBytes(std::string(folder) + "/sub", "file");
    }
    const std::string mask = std::string(folder) + "\\*.*";
    EXPECT_EQ(Names(mask, faAnyFile), (std::vector<std::string>{".", "..", "A.txt", "B.TXT", "Sub"})) << folder;
    // Without folders allowed, "sub" is not offered in Sub's place: its
    // name would open the folder.
    EXPECT_EQ(Names(mask, 0), (std::vector<std::string>{"A.txt", "B.TXT"})) << folder;
    for (const char* spelling : {"a.txt", "A.TXT", "a.TXT"})
      EXPECT_EQ(ReadBytes(plat::NativePath(std::string(folder) + "\\" + spelling)), "A.txt") << spelling;
    EXPECT_TRUE(plat::DirectoryExists(std::string(folder) + "\\sub")) << folder;
    EXPECT_FALSE(plat::FileExists(std::string(folder) + "\\sub")) << folder;
  }
}

TEST_F(FindTest, SearchInTheCurrentFolder) {
  EXPECT_EQ(Names("*.", faDirectory), (std::vector<std::string>{".", "..", "subjects"}));
}

TEST_F(FindTest, EntryAttributesAndSize) {
  WriteBytes("subjects/maths/locked.txt", "123");
  MakeReadOnly("subjects/maths/locked.txt");
  struct Case {
    const char* name;
    int attr;
    int64_t size;
  } const expected[] = {
      {".", faDirectory, 0},           {"..", faDirectory, 0},
      {".hdir", faDirectory | faHidden, 0}, {".hidden", faHidden, 5},
      {"A.txt", faArchive, 5},         {"alpha.txt.bak", faArchive, 5},
      {"b.txt", faArchive, 5},         {"c", faArchive, 5},
      {"locked.txt", faReadOnly, 3},   {"Sub", faDirectory, 0},
      {"Zeta.TXT", faArchive, 5},
  };
  plat::SearchRec rec;
  int r = plat::FindFirst("subjects\\maths\\*.*", faAnyFile, rec);
  for (const Case& c : expected) {
    ASSERT_EQ(r, 0) << "ended before " << c.name;
    EXPECT_EQ(rec.Name, c.name);
    EXPECT_EQ(rec.Attr, c.attr) << c.name;
    EXPECT_EQ(rec.Size, c.size) << c.name;
    r = plat::FindNext(rec);
  }
  EXPECT_NE(r, 0);
  EXPECT_NE(plat::FindNext(rec), 0);  // stays at the end
  plat::FindClose(rec);
}

TEST_F(FindTest, NothingFound) {
  plat::SearchRec rec;
  EXPECT_EQ(plat::FindFirst("nowhere\\*.*", faAnyFile, rec), plat::kErrorPathNotFound);
  EXPECT_EQ(plat::FindFirst("subjects\\maths\\b.txt\\*.*", faAnyFile, rec), plat::kErrorPathNotFound);
  EXPECT_EQ(plat::FindFirst("subjects\\maths\\*.jpg", faAnyFile, rec), plat::kErrorFileNotFound);
  // Matched, but only by entries the attributes leave out.
  EXPECT_EQ(plat::FindFirst("subjects\\maths\\.h*", 0, rec), plat::kErrorNoMoreFiles);
  EXPECT_NE(plat::FindNext(rec), 0);
  plat::FindClose(rec);
}

TEST_F(FindTest, CloseEndsTheSearch) {
  plat::SearchRec rec;
  ASSERT_EQ(plat::FindFirst("subjects\\maths\\*.txt", 0, rec), 0);
  EXPECT_EQ(rec.Name, "A.txt");
  plat::FindClose(rec);
  EXPECT_NE(plat::FindNext(rec), 0);
  // A new search on the same record starts again from the top.
  ASSERT_EQ(plat::FindFirst("subjects\\maths\\*.txt", 0, rec), 0);
  EXPECT_EQ(rec.Name, "A.txt");
  ASSERT_EQ(plat::FindNext(rec), 0);
  EXPECT_EQ(rec.Name, "b.txt");
  plat::FindClose(rec);
}

}  // namespace
