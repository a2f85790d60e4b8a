// Files no editor writes: a topic or default.jpg that is a named pipe or a
// link to /dev/zero, names holding a backslash, and names that differ only
// in case. The program must neither hang nor read without end, must report
// what it cannot read as it reports any unreadable topic, and must read the
// file it lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

namespace fs = std::filesystem;

struct Hostile {
  const char* name;
  void (*make)(const std::string& path);
};

void PrintTo(const Hostile& h, std::ostream* os) { *os << h.name; }

const Hostile kHostile[] = {
    {"NamedPipe", [](const std::string& path) { MakeFifo(path); }},
    {"LinkToDevZero", [](const std::string& path) { MakeLink("/dev/zero", path); }},
};

class HostileTopic : public ProgramTest, public ::testing::WithParamInterface<Hostile> {
 protected:
  void MakeTopic(const std::string& subject, const std::string& topic) {
    GetParam().make(SubjectsPath() + "/" + subject + "/" + topic + ".txt");
  }

  // Every report so far names `file` as unreadable; at least one was made.
  void ExpectReportedAsUnreadable(const std::string& file) {
    const std::vector<std::string> reports = TakeErrorReports();
    ASSERT_FALSE(reports.empty());
    for (const std::string& report : reports) {
      EXPECT_NE(report.find("I/O error 5"), std::string::npos) << report;
      EXPECT_NE(report.find(file), std::string::npos) << report;
    }
  }

  void ExpectNotStartable() {
    EXPECT_FALSE(F1().BtnStartStop->Enabled());
    EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC");
    EXPECT_FALSE(F1().ChkSwopQA->Enabled());
  }

  int IndexOfSubject(const std::string& name) { return F1().CbxSubject->IndexOf(name); }

  HangGuard guard_;
};

TEST_P(HostileTopic, AsTheFirstTopicAtStartUpItIsReportedAndCannotBeStarted) {
  MakeTopic("Maths", "A Hostile");
  WriteTopic("Maths", "B Sums", SimpleTopic(3));
  Start();
  ExpectReportedAsUnreadable("A Hostile.txt");
  EXPECT_EQ(F1().CbxTopic->Text(), "A Hostile");
  ExpectNotStartable();

  // The program goes on: the next topic is fine, and going back reports
  // the hostile one again.
  tk::testing::UserPick(*F1().CbxTopic, 1);
  EXPECT_TRUE(TakeErrorReports().empty());
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  3  QUESTIONS");
  tk::testing::UserPick(*F1().CbxTopic, 0);
  ExpectReportedAsUnreadable("A Hostile.txt");
  ExpectNotStartable();
}

TEST_P(HostileTopic, PickedLaterItIsReportedAndCannotBeStarted) {
  WriteTopic("Art", "Colour", SimpleTopic(2));
  WriteTopic("Maths", "A Sums", SimpleTopic(4));
  MakeTopic("Maths", "B Hostile");
  MakeTopic("Science", "Hostile");
  Start();
  ASSERT_TRUE(TakeErrorReports().empty());
  ASSERT_TRUE(F1().BtnStartStop->Enabled());

  // As a topic of the subject on show.
  tk::testing::UserPick(*F1().CbxSubject, IndexOfSubject("Maths"));
  EXPECT_TRUE(TakeErrorReports().empty());
  tk::testing::UserPick(*F1().CbxTopic, 1);
  ExpectReportedAsUnreadable("B Hostile.txt");
  ExpectNotStartable();
  EXPECT_EQ(U().TotalQuestions, 4) << "the counter keeps the last good topic's count";

  // As the first topic of a subject picked later.
  tk::testing::UserPick(*F1().CbxSubject, IndexOfSubject("Science"));
  ExpectReportedAsUnreadable("Hostile.txt");
  ExpectNotStartable();
}

INSTANTIATE_TEST_SUITE_P(Files, HostileTopic, ::testing::ValuesIn(kHostile),
                         [](const ::testing::TestParamInfo<Hostile>& i) { return std::string(i.param.name); });

// default.jpg is copied into setup\pictures when that has none: a pipe
// would block the copy, a link to /dev/zero would fill the disk. Neither is
// copied, and the program comes up all the same.
class HostileDefaultPicture : public ProgramTest, public ::testing::WithParamInterface<Hostile> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    UseLocalVariant();
  }
  HangGuard guard_;
};

TEST_P(HostileDefaultPicture, IsNotCopiedAndTheProgramStarts) {
  fs::remove("default.jpg");
  GetParam().make("default.jpg");
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  Start();
  EXPECT_TRUE(fs::is_directory("setup/pictures"));
  EXPECT_FALSE(fs::exists(fs::symlink_status("setup/pictures/default.jpg")));
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  3  QUESTIONS");
}

INSTANTIATE_TEST_SUITE_P(Files, HostileDefaultPicture, ::testing::ValuesIn(kHostile),
                         [](const ::testing::TestParamInfo<Hostile>& i) { return std::string(i.param.name); });

class OddNames : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    UseLocalVariant();
  }
};

// A Linux name may hold '\', which the program reads as a folder separator:
// a topic "..\..\outside" would scan ./outside.txt. No Windows name holds
// one, so such names are never listed, as topics or as subjects.
TEST_F(OddNames, NamesWithABackslashAreNotListed) {
  WriteFile("outside.txt", SimpleTopic(9));
  WriteTopic("Maths", "..\\..\\outside", SimpleTopic(9));
  WriteTopic("Maths", "Sums", SimpleTopic(3));
  WriteTopic("Maths\\..\\..", "outside", SimpleTopic(9));
  Start();
  EXPECT_TRUE(TakeErrorReports().empty());
  EXPECT_EQ(F1().CbxSubject->Items(), std::vector<std::string>{"Maths"});
  EXPECT_EQ(F1().CbxTopic->Items(), std::vector<std::string>{"Sums"});
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  3  QUESTIONS");
}

// Names equal but for case are one name to the program: listed once, under
// the name that every spelling reaches (the first in byte order), and that
// is the file scanned and found by the existence checks.
TEST_F(OddNames, CaseTwinTopicsAreListedOnceAndReadFromTheListedFile) {
  WriteTopic("Maths", "sums", SimpleTopic(2));
  WriteTopic("Maths", "SUMS", SimpleTopic(5));  // "SUMS.txt" < "sums.txt"
  WriteFile(SubjectsPath() + "/Maths/Tables.TXT", SimpleTopic(6));
  WriteTopic("Maths", "tables", SimpleTopic(7));  // "Tables.TXT" < "tables.txt"
  Start();
  EXPECT_TRUE(TakeErrorReports().empty());
  EXPECT_EQ(F1().CbxTopic->Items(), (std::vector<std::string>{"SUMS", "Tables"}));
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  5  QUESTIONS");
  tk::testing::UserPick(*F1().CbxTopic, 1);
  EXPECT_TRUE(TakeErrorReports().empty());
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  6  QUESTIONS");
  EXPECT_EQ(U().TotalQuestions, 6);
}

// The program lists "subjects\*." but reads "Subjects\...": with both
// folders present each spelling must reach the same one, or a listed topic
// would be read from the other folder, or not found.
TEST_F(OddNames, TwinSubjectsFoldersAreOneFolder) {
  WriteFile("subjects/Maths/Sums.txt", SimpleTopic(3));
  WriteFile("Subjects/Art/Colour.txt", SimpleTopic(4));  // "Subjects" < "subjects"
  Start();
  EXPECT_TRUE(TakeErrorReports().empty());
  EXPECT_EQ(F1().CbxSubject->Items(), std::vector<std::string>{"Art"});
  EXPECT_EQ(F1().CbxTopic->Items(), std::vector<std::string>{"Colour"});
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  4  QUESTIONS");
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
  // The existence check of a chosen topic finds it too (else the Refresh
  // action would run and take the focus to the subject list).
  tk::testing::UserPick(*F1().CbxTopic, 0);
  EXPECT_TRUE(F1().BtnStartStop->Focused());
}

}  // namespace
}  // namespace tovrek_test
