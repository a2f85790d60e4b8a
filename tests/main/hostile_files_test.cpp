// Files no editor writes: a topic or default.jpg that is a named pipe or a
// link to /dev/zero, names holding a backslash, names that differ only in
// case, and topics and media texts of absurd size. The program must
// neither hang nor read without end nor take memory out of proportion,
// must report what it cannot read as it reports any unreadable topic, and
// must read the file it lists.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "knowledge/media_display.h"
#include "knowledge/question_table.h"
#include "main/Tovrek_Unit10.h"
#include "platform/text_file.h"

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

// --- Texts of absurd size ---------------------------------------------------

// `count` copies of `unit` appended to `path`, a megabyte at a time.
void AppendRepeated(const std::string& path, const std::string& unit, size_t count) {
  std::ofstream out(path, std::ios::binary | std::ios::app);
  std::string chunk;
  while (chunk.size() < (1u << 20)) chunk += unit;
  const size_t perChunk = chunk.size() / unit.size();
  for (; count >= perChunk; count -= perChunk) out << chunk;
  for (; count > 0; --count) out << unit;
  ASSERT_TRUE(out.good()) << path;
}

const std::string kKeptLine(plat::TextFile::kMaxLineLength, 'x');

// A topic file or a media text of one of these shapes, and what the
// program shows of it: the first question's lines and the media text's.
struct HugeShape {
  const char* name;
  // Writes the topic "Maths\Huge" (two questions, the first with the
  // shape) and its media; the folders exist.
  std::function<void()> make;
  std::vector<std::string> questionShown;
  std::vector<std::string> mediaShown;  // empty: the default picture
  unsigned seconds;                     // the guard's time, release build
};

void PrintTo(const HugeShape& h, std::ostream* os) { *os << h.name; }

const char* const kTopic = "subjects/Maths/Huge.txt";

// The first record up to its question lines, which the shape writes.
void BeginTopic(const std::string& media) {
  WriteFile(kTopic, CrLfLines({"[Q1", media, "FONT"}));
}
// The rest: the first answer, a plain second record and the end line.
void EndTopic(const std::vector<std::string>& answer = {"Answer 1"}) {
  std::vector<std::string> lines{"[A"};
  lines.insert(lines.end(), answer.begin(), answer.end());
  lines.insert(lines.end(), {"[Q2", "MEDIA", "FONT", "Question 2", "[A", "Answer 2", "[[qend"});
  std::ofstream(kTopic, std::ios::binary | std::ios::app) << CrLfLines(lines);
}
void PlainTopicWithMedia(const std::string& media) {
  BeginTopic(media);
  std::ofstream(kTopic, std::ios::binary | std::ios::app) << "Question 1\r\n";
  EndTopic();
}

std::vector<std::string> Repeated(const std::string& line, size_t n) { return std::vector<std::string>(n, line); }

// How many lines of the longest kind a question or an answer keeps.
constexpr size_t kLongestLinesKept =
    (knowledge::kMaxTextBytes + 3) / (plat::TextFile::kMaxLineLength + std::char_traits<char>::length(knowledge::kLineMarker));

const HugeShape kHugeShapes[] = {
    {"QuestionOfOne10MbLine",
     [] {
       BeginTopic("MEDIA");
       AppendRepeated(kTopic, "x", 10u << 20);
       AppendRepeated(kTopic, "\r\n", 1);
       EndTopic();
     },
     {kKeptLine}, {}, 3},
    {"QuestionOfAMillionLines",
     [] {
       BeginTopic("MEDIA");
       AppendRepeated(kTopic, "x\r\n", 1000000);
       EndTopic();
     },
     Repeated("x", knowledge::kMaxTextLines), {}, 3},
    // 100 MB: 33 million one-character lines, read three times (the scans
    // at creation and activation, then Start).
    {"Topic100MbOfOneCharacterLines",
     [] {
       BeginTopic("MEDIA");
       AppendRepeated(kTopic, "x\r\n", (100u << 20) / 3);
       EndTopic();
     },
     Repeated("x", knowledge::kMaxTextLines), {}, 6},
    {"MediaTextOfOne10MbLine",
     [] {
       PlainTopicWithMedia("long.txt");
       AppendRepeated("mediafiles/long.txt", "x", 10u << 20);
     },
     {"Question 1"}, {kKeptLine}, 3},
    {"MediaTextOfAMillionLines",
     [] {
       PlainTopicWithMedia("many.txt");
       AppendRepeated("mediafiles/many.txt", "x\r\n", 1000000);
     },
     {"Question 1"}, Repeated("x", knowledge::kMaxMediaTextLines), 3},
    // The most the bounds let through to the three memos at once, every
    // line without a blank to wrap at.
    {"WidestTextsKept",
     [] {
       BeginTopic("wide.txt");
       AppendRepeated(kTopic, kKeptLine + "\r\n", knowledge::kMaxTextLines);
       EndTopic(Repeated(kKeptLine, knowledge::kMaxTextLines));
       AppendRepeated("mediafiles/wide.txt", kKeptLine + "\r\n", knowledge::kMaxMediaTextLines);
     },
     Repeated(kKeptLine, kLongestLinesKept), Repeated(kKeptLine, knowledge::kMaxMediaTextLines), 3},
};

class HugeText : public ProgramTest, public ::testing::WithParamInterface<HugeShape> {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    UseLocalVariant();
    MakeDirs("subjects/Maths");
    MakeDirs("mediafiles");
  }
  // The guard's seconds for this build: the sanitizer runs the program
  // some three times slower.
  static unsigned Seconds(unsigned release) { return kAddressSanitizer ? 3 * release : release; }
};

// Start-up scans the topic and Start shows its first question, each in
// about the time the file takes to read and in a screenful of memory: the
// memos hold what the bounds keep and lay out only what they show.
TEST_P(HugeText, StartsAndShowsTheFirstQuestionInBoundedTimeAndMemory) {
  GetParam().make();
  HangGuard guard(Seconds(GetParam().seconds));
  Start();
  ASSERT_TRUE(TakeErrorReports().empty());
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  2  QUESTIONS");
  ASSERT_TRUE(F1().BtnStartStop->Enabled());

  tk::testing::UserClick(*F1().BtnStartStop);
  tk::testing::Render(F1());
  EXPECT_EQ(F1().BtnStartStop->Caption(), "&Stop");
  EXPECT_EQ(F1().MemoQuestion->Lines(), GetParam().questionShown);
  EXPECT_EQ(tk::testing::ShownTopLine(*F1().MemoQuestion), 0);
  const bool mediaText = !GetParam().mediaShown.empty();
  EXPECT_EQ(F1().MemoMedia->Visible(), mediaText);
  if (mediaText) {
    EXPECT_EQ(F1().MemoMedia->Lines(), GetParam().mediaShown);
  }

  // On to the plain second question and back.
  tk::testing::UserClick(*F1().BtnNext);
  tk::testing::Render(F1());
  EXPECT_EQ(F1().MemoQuestion->Lines(), std::vector<std::string>{"Question 2"});
  tk::testing::UserClick(*F1().BtnPrevious);
  tk::testing::Render(F1());
  EXPECT_EQ(F1().MemoQuestion->Lines(), GetParam().questionShown);
}

INSTANTIATE_TEST_SUITE_P(Shapes, HugeText, ::testing::ValuesIn(kHugeShapes),
                         [](const ::testing::TestParamInfo<HugeShape>& i) { return std::string(i.param.name); });

// 2 GB of zero bytes without a line end (a sparse file): one line, so no
// end line, and the topic is corrupt. Start-up reads it twice in the
// memory of a block and a line, and reports it. Most of the time is the
// system's, which makes and zeroes each page of the file on its first
// read: 3 s on a quiet machine, twice that on a busy one, in either build.
TEST_F(HugeText, ATopicOf2GbWithoutLineEndsIsReportedAsCorrupt) {
  const int fd = open(kTopic, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, off_t{2} << 30), 0);
  close(fd);
  HangGuard guard(15);
  std::string reported;
  Answer("Form10", [&](tk::Form&) {
    reported = P().Form10->LblDescription->Caption();
    tk::testing::UserClick(*P().Form10->BtnOk);
  });
  Start();
  EXPECT_EQ(reported, "Corrupt or invalid Topic file. This Topic cannot be loaded.");
  EXPECT_EQ(U().Scan.LineCount, 1u);
  EXPECT_FALSE(U().Scan.QEndFound);
  EXPECT_FALSE(F1().BtnStartStop->Enabled());
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC");
}

// A thousand questions and answers of a dozen lines of the longest kind
// (50 MB): the table, its master copies and the search texts keep what
// the bounds let through, not the file.
TEST_F(HugeText, AThousandLongQuestionsAreLoadedInBoundedMemory) {
  const std::string line = std::string(plat::TextFile::kMaxLineLength, 'x') + "\r\n";
  {
    std::ofstream out(kTopic, std::ios::binary);
    for (int i = 1; i <= 1000; ++i) {
      out << "[Q" << i << "\r\nMEDIA\r\nFONT\r\n";
      for (int n = 0; n < 12; ++n) out << line;
      out << "[A\r\n";
      for (int n = 0; n < 12; ++n) out << line;
    }
    out << "[[qend\r\n";
  }
  HangGuard guard(Seconds(6));
  Start();
  ASSERT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  1000  QUESTIONS");
  tk::testing::UserClick(*F1().BtnStartStop);
  tk::testing::Render(F1());
  EXPECT_EQ(F1().BtnStartStop->Caption(), "&Stop");
  EXPECT_EQ(F1().MemoQuestion->Lines().size(), kLongestLinesKept);
}

// A thousand questions each naming a missing media file as long as a line
// may be: the problem window lists them all and comes up at once.
TEST_F(HugeText, AThousandOverLongMissingMediaNamesAreListedAtOnce) {
  std::vector<Record> records;
  for (int i = 1; i <= 1000; ++i)
    records.push_back({std::to_string(i), std::string(plat::TextFile::kMaxLineLength - 8, 'm') + std::to_string(i) + ".jpg",
                       "", {"q"}, {"a"}});
  WriteTopic("Maths", "Long names", TopicText(records));
  Start();
  HangGuard guard(Seconds(3));
  int listed = 0;
  Answer("Form10", [&](tk::Form&) {
    tk::testing::Render(*P().Form10);
    listed = P().Form10->ListBox->ItemCount();
    tk::testing::UserClick(*P().Form10->BtnOk);
  });
  tk::testing::UserClick(*F1().BtnStartStop);
  EXPECT_EQ(listed, 1000);
}

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
