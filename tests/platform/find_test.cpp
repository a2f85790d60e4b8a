#include "platform/files.h"

#include <gtest/gtest.h>

#include <vector>

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
