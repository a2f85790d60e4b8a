#include "knowledge/topic_scan.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace knowledge {

// Readable failures for the counts.
void PrintTo(const ScanResults& r, std::ostream* os) {
    *os << "{questions " << r.NumberOfQuestions << ", answers " << r.AnswerCount << ", lines "
        << r.LineCount << ", plain formats " << r.PlainFormatCount << ", end line "
        << (r.QEndFound ? "yes" : "no") << "}";
}

}  // namespace knowledge

namespace {

using knowledge::ProblemFlags;
using knowledge::ScanResults;
using Lines = std::vector<std::string>;

bool SameCounts(const ScanResults& a, const ScanResults& b) {
    return a.NumberOfQuestions == b.NumberOfQuestions && a.AnswerCount == b.AnswerCount &&
           a.LineCount == b.LineCount && a.PlainFormatCount == b.PlainFormatCount &&
           a.QEndFound == b.QEndFound;
}

// One record with an empty media line: five non-empty lines.
Lines Record(int n, const std::string& format, const std::string& q = "[Q", const std::string& a = "[A") {
    const std::string number = std::to_string(n);
    return {q + number, "", format, "Question " + number, a, "Answer " + number};
}

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

const Lines kEnd{"[[qend"};

struct Verdict {
    uint8_t TopicInvalid;
    uint8_t TooFewQuestions;
    uint8_t TopicCorrupt;
};

constexpr Verdict kValid{0, 0, 0};
constexpr Verdict kTooFew{1, 1, 0};
constexpr Verdict kCorrupt{1, 0, 1};

struct ScanCase {
    const char* name;
    std::string content;  // the file, byte for byte
    ScanResults counts;
    Verdict verdict;
    const char* caption;  // valid topics only
};

void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.name; }

std::string CrLf(const Lines& lines) { return tovrek_test::CrLfLines(lines); }

std::vector<ScanCase> ScanCases() {
    return {
        {"EmptyFile", "", {0, 0, 0, 0, false}, kTooFew, nullptr},
        {"OnlyEndLine", CrLf(kEnd), {0, 0, 1, 0, true}, kTooFew, nullptr},
        {"EndLineInCapitals", CrLf(Join({Record(1, "FONT"), Record(2, "FONT"), {"[[QEND"}})),
         {2, 2, 11, 2, false}, kCorrupt, nullptr},
        {"EndLineWithTrailingBlank", CrLf(Join({Record(1, "FONT"), Record(2, "FONT"), {"[[qend "}})),
         {2, 2, 11, 2, false}, kCorrupt, nullptr},
        {"SmallLetterMarkers",
         CrLf(Join({Record(1, "font", "[q", "[a"), Record(2, "Reserved", "[q", "[a"), kEnd})),
         {2, 2, 11, 2, true}, kValid, "TOPIC  ...  2  QUESTIONS"},
        {"ThirdLabelWithoutAnswer",
         CrLf(Join({Record(1, "FONT"), Record(2, "FONT"), {"[Q3", "", "FONT", "Question 3"}, kEnd})),
         {3, 2, 14, 3, true}, kCorrupt, nullptr},
        {"AnswerMarkerWithoutLabel", CrLf(Join({Record(1, "FONT"), Record(2, "FONT"), {"[A"}, kEnd})),
         {2, 3, 12, 2, true}, kCorrupt, nullptr},
        // Content without an end line is corrupt before it is too short.
        {"NoEndLine", CrLf(Record(1, "FONT")), {1, 1, 5, 1, false}, kCorrupt, nullptr},
        {"OneRecord", CrLf(Join({Record(1, "FONT"), kEnd})), {1, 1, 6, 1, true}, kTooFew, nullptr},
        {"OnlyBlanks", CrLf({"   "}), {0, 0, 1, 0, false}, kCorrupt, nullptr},
        {"FivePlainRecords",
         CrLf(Join({Record(1, "FONT"), Record(2, "RESERVED"), Record(3, "font"), Record(4, "reserved"),
                    Record(5, "Font"), kEnd})),
         {5, 5, 26, 5, true}, kValid, "TOPIC  ...  5  QUESTIONS"},
        {"OneFormatCodeAmongFive",
         CrLf(Join({Record(1, "FONT"), Record(2, "RESERVED"), Record(3, "SAFSALMCLN"), Record(4, "FONT"),
                    Record(5, "FONT"), kEnd})),
         {5, 5, 26, 4, true}, kValid, "TOPIC  ...  5  QUESTIONS *"},
        {"PlainWordWithTrailingBlank", CrLf(Join({Record(1, "FONT "), Record(2, "FONT"), kEnd})),
         {2, 2, 11, 1, true}, kValid, "TOPIC  ...  2  QUESTIONS *"},
        {"EndLineFirst", CrLf(Join({kEnd, Record(1, "FONT"), Record(2, "FONT")})), {2, 2, 11, 2, true},
         kValid, "TOPIC  ...  2  QUESTIONS"},
        {"EndLineBetweenRecords", CrLf(Join({Record(1, "FONT"), kEnd, Record(2, "FONT")})),
         {2, 2, 11, 2, true}, kValid, "TOPIC  ...  2  QUESTIONS"},
        {"LastLineWithoutLineEnd", CrLf(Join({Record(1, "FONT"), Record(2, "FONT")})) + "[[qend",
         {2, 2, 11, 2, true}, kValid, "TOPIC  ...  2  QUESTIONS"},
        // Without its media line a record's first question line sits where
        // the format line should be.
        {"RecordWithoutMediaLine",
         CrLf(Join({{"[Q1", "FONT", "Question 1", "[A", "Answer 1"}, Record(2, "FONT"), kEnd})),
         {2, 2, 11, 1, true}, kValid, "TOPIC  ...  2  QUESTIONS *"},
        // A label line in the media slot takes the format check itself, so
        // the format line after it is not counted.
        {"LabelInMediaSlot",
         CrLf({"[Q1", "[Q2", "", "FONT", "Question", "[A", "Answer", "[A", "Answer", "[[qend"}),
         {2, 2, 9, 0, true}, kValid, "TOPIC  ...  2  QUESTIONS *"},
        // A label line in the format slot carries the position past the
        // format check for the rest of the file.
        {"LabelInFormatSlot",
         CrLf(Join({{"[Q1", "", "[Q2", "", "FONT", "Question 2", "[A", "Answer 2", "[A", "Answer 1"},
                    Record(3, "FONT"), kEnd})),
         {3, 3, 14, 0, true}, kValid, "TOPIC  ...  3  QUESTIONS *"},
        // A line longer than a line is kept is still one line, its marker
        // counted; an end line with more after it is no end line.
        {"OverLongLinesCountOnce",
         CrLf(Join({{"[Q1" + std::string(10000, 'x'), "", "FONT", std::string(70000, 'q'), "[A", "Answer 1"},
                    Record(2, "FONT"), {"[A" + std::string(5000, 'a'), "Answer 3"}, {"[Q3"}, kEnd})),
         {3, 3, 14, 2, true}, kValid, "TOPIC  ...  3  QUESTIONS *"},
        {"EndLineWithAnOverLongTail", CrLf(Join({Record(1, "FONT"), Record(2, "FONT"), {"[[qend" + std::string(5000, ' ')}})),
         {2, 2, 11, 2, false}, kCorrupt, nullptr},
        {"NoLineEnd", std::string(200000, 'x'), {0, 0, 1, 0, false}, kCorrupt, nullptr},
    };
}

class ScanTable : public tovrek_test::TempFolderTest, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(ScanTable, CountsAndVerdict) {
    const ScanCase& c = GetParam();
    // The program makes "subjects" in small letters and spells it
    // "Subjects" when it opens a topic.
    tovrek_test::WriteFile("subjects/Science/Topic.txt", c.content);

    plat::TextFile file;
    ScanResults counts;
    knowledge::ScanTopicFile(file, knowledge::TopicFilePath("Science", "Topic"), counts);
    EXPECT_PRED2(SameCounts, counts, c.counts);

    ProblemFlags flags;
    knowledge::ValidateTopicCounts(counts, false, flags);
    EXPECT_EQ(flags.TopicInvalid, c.verdict.TopicInvalid);
    EXPECT_EQ(flags.TooFewQuestions, c.verdict.TooFewQuestions);
    EXPECT_EQ(flags.TopicCorrupt, c.verdict.TopicCorrupt);
    EXPECT_EQ(flags.NoTopics, 0);
    if (c.caption != nullptr) {
        EXPECT_EQ(knowledge::TopicLabelCaption(counts), c.caption);
    }
}

INSTANTIATE_TEST_SUITE_P(TopicFiles, ScanTable, ::testing::ValuesIn(ScanCases()),
                         [](const ::testing::TestParamInfo<ScanCase>& info) { return info.param.name; });

using TopicFile = tovrek_test::TempFolderTest;

TEST_F(TopicFile, MissingFileThrowsAfterZeroingTheCounts) {
    std::filesystem::create_directories("subjects/Science");
    plat::TextFile file;
    ScanResults counts{7, 7, 40, 7, true};
    EXPECT_THROW(knowledge::ScanTopicFile(file, knowledge::TopicFilePath("Science", "Gone"), counts),
                 plat::InOutError);
    EXPECT_PRED2(SameCounts, counts, ScanResults{});
}

TEST_F(TopicFile, ExtensionInCapitalsIsFoundUnderItsListedName) {
    tovrek_test::WriteFile("subjects/Science/Physics.TXT",
                             CrLf(Join({Record(1, "FONT"), Record(2, "FONT"), kEnd})));
    ASSERT_TRUE(knowledge::IsTopicFileName("Physics.TXT"));
    const std::string topic = knowledge::TopicNameOf("Physics.TXT");
    EXPECT_EQ(topic, "Physics");

    plat::TextFile file;
    ScanResults counts;
    knowledge::ScanTopicFile(file, knowledge::TopicFilePath("Science", topic), counts);
    EXPECT_EQ(counts.NumberOfQuestions, 2);
    EXPECT_TRUE(counts.QEndFound);
}

TEST_F(TopicFile, OneFileObjectServesScanAfterScan) {
    // The program reads every file through one text-file object, so a scan
    // must leave it closed and ready for the next.
    tovrek_test::WriteFile("subjects/Science/Long.txt",
                             CrLf(Join({Record(1, "FONT"), Record(2, "FONT"), Record(3, "FONT"), kEnd})));
    tovrek_test::WriteFile("subjects/Science/Short.txt", "");

    plat::TextFile file;
    ScanResults counts;
    knowledge::ScanTopicFile(file, knowledge::TopicFilePath("Science", "Long"), counts);
    EXPECT_PRED2(SameCounts, counts, (ScanResults{3, 3, 16, 3, true}));
    knowledge::ScanTopicFile(file, knowledge::TopicFilePath("Science", "Short"), counts);
    EXPECT_PRED2(SameCounts, counts, ScanResults{});
}

TEST(TopicLineCounter, CountsDoNotWrapAtSixteenBits) {
    ScanResults counts;
    knowledge::TopicLineCounter counter(counts);
    for (int i = 0; i < 65536 + 3; ++i) {
        counter.CountLine("[A");
    }
    EXPECT_EQ(counts.AnswerCount, 65539u);
    EXPECT_EQ(counts.LineCount, 65539u);
}

// A label line in the format slot carries the position past the format
// check for the rest of the file; 65,536 lines later a 16-bit position would
// be back at 0 and count format lines again.
TEST(TopicLineCounter, PositionPastTheFormatCheckStaysPast) {
    ScanResults counts;
    knowledge::TopicLineCounter counter(counts);
    for (const char* line : {"[Q1", "", "[Q2"}) {
        counter.CountLine(line);
    }
    for (int i = 0; i < 65536; ++i) {
        counter.CountLine("filler");
    }
    for (const char* line : {"[Q3", "", "FONT"}) {
        counter.CountLine(line);
    }
    EXPECT_EQ(counts.PlainFormatCount, 0u);
    EXPECT_GT(counter.Position(), 65536u);
}

TEST(TopicLineCounter, StartsFromZeroWhateverTheResultsHeld) {
    ScanResults counts{9, 9, 9, 9, true};
    knowledge::TopicLineCounter counter(counts);
    EXPECT_PRED2(SameCounts, counts, ScanResults{});
}

// Big topics generated on the spot: the verdict must rest on the true
// counts, whatever 16 bits would have made of them.
class BigTopic : public tovrek_test::TempFolderTest {
protected:
    // `records` records of `linesPerRecord` non-empty lines (at least 6),
    // each "FONT"-formatted, then the end line if asked for.
    static void Write(int records, int linesPerRecord, bool endLine) {
        std::string text;
        for (int r = 1; r <= records; ++r) {
            text += "[Q" + std::to_string(r) + "\r\nMEDIA\r\nFONT\r\n";
            for (int q = 0; q < linesPerRecord - 5; ++q) {
                text += "question line\r\n";
            }
            text += "[A\r\nanswer\r\n";
        }
        if (endLine) {
            text += "[[qend\r\n";
        }
        tovrek_test::WriteFile("subjects/Science/Big.txt", text);
    }

    static ScanResults Scan(plat::TextFile& file) {
        ScanResults counts;
        knowledge::ScanTopicFile(file, knowledge::TopicFilePath("Science", "Big"), counts);
        return counts;
    }
};

TEST_F(BigTopic, CountsAndVerdictBeyondSixteenBits) {
    struct Case {
        const char* name;
        int records, linesPerRecord;
        bool endLine;
        uint64_t lines;
        Verdict verdict;
        const char* caption;
    } const cases[] = {
        // 16 bits would show "34464 QUESTIONS".
        {"100,000 records", 100000, 6, true, 600001, kValid, "TOPIC  ...  100000  QUESTIONS"},
        // 16 bits would count 1 question: "less than 2".
        {"65,537 records", 65537, 6, true, 393223, kValid, "TOPIC  ...  65537  QUESTIONS"},
        // Exactly 65,536 lines and no end line: 16 bits would count 0 lines
        // and let it pass as valid.
        {"65,536 lines without an end line", 8192, 8, false, 65536, kCorrupt, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.records, c.linesPerRecord, c.endLine);
        plat::TextFile file;
        const ScanResults counts = Scan(file);
        EXPECT_EQ(counts.NumberOfQuestions, static_cast<uint64_t>(c.records));
        EXPECT_EQ(counts.AnswerCount, static_cast<uint64_t>(c.records));
        EXPECT_EQ(counts.LineCount, c.lines);
        EXPECT_EQ(counts.PlainFormatCount, static_cast<uint64_t>(c.records));
        ProblemFlags flags;
        knowledge::ValidateTopicCounts(counts, false, flags);
        EXPECT_EQ(flags.TopicInvalid, c.verdict.TopicInvalid);
        EXPECT_EQ(flags.TooFewQuestions, c.verdict.TooFewQuestions);
        EXPECT_EQ(flags.TopicCorrupt, c.verdict.TopicCorrupt);
        if (c.caption != nullptr) {
            EXPECT_EQ(knowledge::TopicLabelCaption(counts), c.caption);
        }
        // The scan closes the file and the file keeps no buffer.
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(file.BufferCapacity(), 0u);
    }
}

// A topic that is a named pipe, or a link to /dev/zero, is not a file one
// can read: the scan fails at once with the error of an unreadable file
// rather than blocking or growing without end.
TEST_F(TopicFile, PipesAndDevicesFailAtOnce) {
    tovrek_test::HangGuard guard;
    MakeFifo("subjects/Science/Pipe.txt");
    MakeLink("/dev/zero", "subjects/Science/Zero.txt");
    for (const char* topic : {"Pipe", "Zero"}) {
        SCOPED_TRACE(topic);
        plat::TextFile file;
        ScanResults counts{7, 7, 40, 7, true};
        try {
            knowledge::ScanTopicFile(file, knowledge::TopicFilePath("Science", topic), counts);
            ADD_FAILURE() << "no error";
        } catch (const plat::InOutError& e) {
            EXPECT_EQ(e.Code(), plat::kIoAccessDenied);
        }
        EXPECT_PRED2(SameCounts, counts, ScanResults{});
        EXPECT_FALSE(file.IsOpen());
    }
}

struct FlagCase {
    const char* name;
    ScanResults counts;
    bool topicListEmpty;
    ProblemFlags before;
    ProblemFlags after;
};

// A verdict writes only the flags its steps name; the rest keep what an
// earlier check left until the problem window clears them.
TEST(ValidateTopicCounts, WritesOnlyTheFlagsItDecides) {
    ProblemFlags allSet{1, 1, 1, 1, 1, 1, 1, 1};
    ProblemFlags noneSet{0, 0, 0, 0, 0, 0, 0, 0};
    const FlagCase cases[] = {
        {"no topics keeps TopicCorrupt", {2, 2, 11, 2, true}, true, {0, 0, 0, 1, 0, 0, 0, 0},
         {1, 1, 1, 1, 0, 0, 0, 0}},
        {"no topics ignores the counts", {}, true, noneSet, {1, 1, 1, 0, 0, 0, 0, 0}},
        {"corrupt keeps TooFewQuestions", {2, 3, 12, 2, true}, false, {0, 1, 1, 0, 0, 0, 1, 0},
         {1, 1, 0, 1, 0, 0, 1, 0}},
        {"corrupt leaves TooFewQuestions clear", {1, 1, 5, 1, false}, false, noneSet,
         {1, 0, 0, 1, 0, 0, 0, 0}},
        {"too few clears TopicCorrupt", {1, 1, 6, 1, true}, false, {0, 0, 1, 1, 0, 0, 1, 0},
         {1, 1, 0, 0, 0, 0, 1, 0}},
        {"valid clears the verdict only", {2, 2, 11, 2, true}, false, allSet, {0, 0, 0, 0, 1, 1, 1, 1}},
        {"valid with every other flag clear", {2, 2, 11, 0, true}, false, noneSet, noneSet},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProblemFlags flags = c.before;
        knowledge::ValidateTopicCounts(c.counts, c.topicListEmpty, flags);
        EXPECT_EQ(flags.TopicInvalid, c.after.TopicInvalid);
        EXPECT_EQ(flags.TooFewQuestions, c.after.TooFewQuestions);
        EXPECT_EQ(flags.NoTopics, c.after.NoTopics);
        EXPECT_EQ(flags.TopicCorrupt, c.after.TopicCorrupt);
        EXPECT_EQ(flags.DefaultPictureMissing, c.after.DefaultPictureMissing);
        EXPECT_EQ(flags.UnsupportedOS, c.after.UnsupportedOS);
        EXPECT_EQ(flags.MediaFilesOk, c.after.MediaFilesOk);
        EXPECT_EQ(flags.EditorMissing, c.after.EditorMissing);
    }
}

TEST(TopicListing, NameRule) {
    struct Case {
        const char* entry;
        bool listed;
        const char* topic;
    };
    const Case cases[] = {
        {"Algebra.txt", true, "Algebra"},
        {"ALGEBRA.TXT", true, "ALGEBRA"},
        {"Mixed.tXt", true, "Mixed"},
        {"notes.txt.bak", false, nullptr},
        {"report.doc", false, nullptr},
        {"Bones.txt ", false, nullptr},
        // Only the last three characters are looked at, not the dot.
        {"Longtxt", true, "Lon"},
        {"txt", true, ""},
        {"xt", false, nullptr},
        {"", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(knowledge::IsTopicFileName(c.entry), c.listed);
        if (c.listed) {
            EXPECT_EQ(knowledge::TopicNameOf(c.entry), c.topic);
        }
    }
}

}  // namespace
