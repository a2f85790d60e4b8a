#include "knowledge/topic_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace {

using knowledge::LoadOptions;
using knowledge::LoadResult;
using knowledge::QuestionTable;
using Lines = std::vector<std::string>;

// A loaded row as the test expects it; texts joined by the line marker.
struct Row {
    std::string label;
    std::string media;
    std::string format;
    std::string question;
    std::string answer;
};

bool operator==(const Row& a, const Row& b) {
    return a.label == b.label && a.media == b.media && a.format == b.format && a.question == b.question &&
           a.answer == b.answer;
}

void PrintTo(const Row& r, std::ostream* os) {
    *os << "{" << r.label << " | " << r.media << " | " << r.format << " | " << r.question << " | "
        << r.answer << "}";
}

Lines Record(int n) {
    const std::string s = std::to_string(n);
    return {"[Q" + s, "", "FONT", "Question " + s, "[A", "Answer " + s};
}

Row RowOf(int n) {
    const std::string s = std::to_string(n);
    return {s, "", "FONT", "Question " + s, "Answer " + s};
}

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Lines kEnd{"[[qend"};

std::string CrLf(const Lines& lines) { return tovrek_test::CrLfLines(lines); }

struct LoadCase {
    const char* name;
    std::string content;
    std::vector<Row> rows;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

std::vector<LoadCase> LoadCases() {
    return {
        {"TwoRecords", CrLf(Join({Record(1), Record(2), kEnd})), {RowOf(1), RowOf(2)}},
        {"LinesJoinedByTheMarker",
         CrLf({"[Q1", "map.jpg", "bbbdcaabbb", "Q a", "", "Q c", "[A", "A a", "A b", "[Q2", "", "FONT", "Q",
               "[A", "A", "[[qend"}),
         {{"1", "map.jpg", "bbbdcaabbb", "Q a~[)~[)Q c", "A a~[)A b"}, {"2", "", "FONT", "Q", "A"}}},
        {"MarkersInSmallLetters", CrLf({"[q1", "", "FONT", "Q", "[a", "A", "[q2", "", "FONT", "Q2", "[a", "A2", "[[qend"}),
         {{"1", "", "FONT", "Q", "A"}, {"2", "", "FONT", "Q2", "A2"}}},
        {"FirstLineWithoutLabelMarker", CrLf(Join({{"XY7", "", "FONT", "Q", "[A", "A"}, Record(2), kEnd})),
         {{"7", "", "FONT", "Q", "A"}, RowOf(2)}},
        {"FirstLineEmpty", CrLf(Join({{""}, Record(1), Record(2), kEnd})), {}},
        {"EmptyFile", "", {}},
        {"AnswerMarkerRightAfterFormatLine", CrLf({"[Q1", "", "FONT", "[A", "A1", "A2", "[Q2", "", "FONT", "Q", "[A", "A", "[[qend"}),
         {{"1", "", "FONT", "[A", "A1~[)A2"}, {"2", "", "FONT", "Q", "A"}}},
        // A label line where the first answer line should be is the answer
        // and the next record's label line as well.
        {"LabelLineAsFirstAnswerLine", CrLf({"[Q1", "", "FONT", "Q", "[A", "[Q2", "", "FONT", "Q2", "[A", "A2", "[[qend"}),
         {{"1", "", "FONT", "Q", "[Q2"}, {"2", "", "FONT", "Q2", "A2"}}},
        {"EmptyLineAfterEndLineStops", CrLf(Join({Record(1), Record(2), kEnd, {""}, Record(3)})), {RowOf(1), RowOf(2)}},
        {"LineAfterEndLineIsALabel", CrLf(Join({Record(1), kEnd, {"ZZ9", "", "FONT", "Q", "[A", "A"}, kEnd})),
         {RowOf(1), {"9", "", "FONT", "Q", "A"}}},
        {"LastLineWithoutLineEnd", CrLf(Join({Record(1), Record(2)})) + "[[qend", {RowOf(1), RowOf(2)}},
        // The end of the file inside a record.
        {"EndLineBeforeLastRecord", CrLf(Join({Record(1), Record(2), kEnd, Record(3)})), {RowOf(1), RowOf(2), RowOf(3)}},
        {"EndsInsideAnswer", CrLf(Join({Record(1), {"[Q2", "", "FONT", "Q", "[A", "A a", "A b"}})),
         {RowOf(1), {"2", "", "FONT", "Q", "A a~[)A b"}}},
        {"EndsInsideAnswerWithoutLineEnd", CrLf(Join({Record(1), {"[Q2", "", "FONT", "Q", "[A"}})) + "A a",
         {RowOf(1), {"2", "", "FONT", "Q", "A a"}}},
        {"EndsOnAnswerMarker", CrLf(Join({Record(1), {"[Q2", "", "FONT", "Q", "[A"}})),
         {RowOf(1), {"2", "", "FONT", "Q", ""}}},
        {"EndsInsideQuestion", CrLf(Join({Record(1), Record(2), {"[Q3", "", "FONT", "Q a", "Q b"}})), {RowOf(1), RowOf(2)}},
        {"EndsAfterLabelLine", CrLf(Join({Record(1), Record(2), {"[Q3"}})), {RowOf(1), RowOf(2)}},
        {"EndsAfterFormatLine", CrLf(Join({Record(1), {"[Q2", "", "FONT"}})), {RowOf(1)}},
    };
}

class LoadTable : public tovrek_test::TempFolderTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadTable, RowsAsRead) {
    const LoadCase& c = GetParam();
    tovrek_test::WriteFile("subjects/Science/Topic.txt", c.content);
    tovrek_test::WriteFile("mediafiles/map.jpg", "x");

    plat::TextFile file;
    QuestionTable table;
    const LoadResult result = knowledge::LoadTopic(file, "Subjects\\Science\\Topic.txt", LoadOptions{}, table);
    EXPECT_FALSE(file.IsOpen());
    ASSERT_EQ(result.NumberOfQuestions, c.rows.size());
    for (std::size_t i = 1; i <= c.rows.size(); ++i) {
        const knowledge::QuestionRecord& r = table.QuestionArray[i];
        EXPECT_EQ((Row{r.QuestionLabel, r.MediaLine, r.FormatLine, r.QuestionText, r.AnswerText}), c.rows[i - 1])
            << "row " << i;
        EXPECT_EQ(table.OriginalQuestion[i], r.QuestionText) << "row " << i;
        EXPECT_EQ(table.OriginalAnswer[i], r.AnswerText) << "row " << i;
    }
    EXPECT_FALSE(result.RecordsLeftOut);
}

INSTANTIATE_TEST_SUITE_P(TopicFiles, LoadTable, ::testing::ValuesIn(LoadCases()),
                         [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

class Loader : public tovrek_test::TempFolderTest {
protected:
    LoadResult Load(const Lines& lines, const LoadOptions& options = {}) {
        tovrek_test::WriteFile("subjects/Science/Topic.txt", CrLf(lines));
        return knowledge::LoadTopic(file, "Subjects\\Science\\Topic.txt", options, table);
    }

    plat::TextFile file;
    QuestionTable table;
};

TEST_F(Loader, StopsAtTheTableSize) {
    Lines lines;
    for (int i = 1; i <= 1003; ++i) {
        const Lines r = Record(i);
        lines.insert(lines.end(), r.begin(), r.end());
    }
    lines.push_back("[[qend");
    const LoadResult over = Load(lines);
    EXPECT_EQ(over.NumberOfQuestions, 1000);
    EXPECT_TRUE(over.RecordsLeftOut);
    EXPECT_EQ(table.QuestionArray[1000].QuestionText, "Question 1000");
    EXPECT_EQ(table.QuestionArray[1000].AnswerText, "Answer 1000");
    EXPECT_FALSE(file.IsOpen());

    lines.erase(lines.begin() + 1000 * 6, lines.end() - 1);
    const LoadResult exact = Load(lines);
    EXPECT_EQ(exact.NumberOfQuestions, 1000);
    EXPECT_FALSE(exact.RecordsLeftOut);
}

TEST_F(Loader, RowsAboveTheTopicKeepTheEarlierLoad) {
    Load(Join({Record(1), Record(2), Record(3), kEnd}));
    const LoadResult second = Load(Join({{"[Q8", "", "FONT", "New", "[A", "New answer"}, Record(9), kEnd}));
    EXPECT_EQ(second.NumberOfQuestions, 2);
    EXPECT_EQ(table.QuestionArray[1].QuestionText, "New");
    EXPECT_EQ(table.QuestionArray[3].QuestionText, "Question 3");
}

TEST_F(Loader, DroppedRecordLeavesItsRowAndReportsNothing) {
    Load(Join({Record(1), Record(2), Record(3), kEnd}));
    const LoadResult r = Load(Join({Record(1), Record(2), {"[Q3", "gone.jpg", "abcdefghij", "Q"}}));
    EXPECT_EQ(r.NumberOfQuestions, 2);
    EXPECT_EQ(table.QuestionArray[3].QuestionText, "Question 3");
    EXPECT_EQ(r.MediaFilesOk, 1);
    EXPECT_TRUE(r.FailingMediaLines.empty());
    EXPECT_FALSE(r.TopicHasFormatCodes);
}

TEST_F(Loader, FormatCodeFlagWantsExactlyTenCharacters) {
    struct Case {
        const char* format;
        bool flagged;
    };
    for (const Case& c : {Case{"FONT", false}, Case{"abcdefghi", false}, Case{"zzzzzzzzzz", true},
                          Case{"abcdefghijk", false}, Case{"RESERVED", false}}) {
        const LoadResult r = Load(Join({Record(1), {"[Q2", "", c.format, "Q", "[A", "A"}, kEnd}));
        EXPECT_EQ(r.TopicHasFormatCodes, c.flagged) << c.format;
    }
}

TEST_F(Loader, KeepsTheEliminatorColumn) {
    knowledge::ResetEliminatorStatus(table);
    Load(Join({Record(1), Record(2), kEnd}));
    EXPECT_EQ(table.QuestionArray[1].EliminatorStatus, "nothing");
    EXPECT_EQ(table.QuestionArray[2].EliminatorStatus, "nothing");
}

TEST_F(Loader, SearchTextsOnlyWhenAsked) {
    const Lines topic{"[Q1", "", "FONT", "Paris", "[A", "France", "[Q2", "", "FONT", "Paris", "France", "[A", "x", "[[qend"};
    Load(topic);
    EXPECT_EQ(table.SearchQuestionTexts[1], "");

    LoadOptions options;
    options.BuildSearchTexts = true;
    Load(topic, options);
    EXPECT_EQ(table.SearchQuestionTexts[1], "Paris");
    EXPECT_EQ(table.SearchAnswerTexts[1], "France");
    EXPECT_EQ(table.SearchQuestionTexts[2], " Paris France");
    EXPECT_EQ(table.SearchAnswerTexts[2], "x");
}

TEST_F(Loader, MediaLinesThatFailAreListedByRecord) {
    tovrek_test::WriteFile("mediafiles/map.jpg", "x");
    tovrek_test::WriteFile("mediafiles/notes.txt", "x");
    std::filesystem::create_directories("mediafiles/folder.bmp");
    const Lines media{"map.jpg", "MAP.JPG", "gone.jpg", "notes.txt", "folder.bmp", "", "media", "MEDIA",
                      "picture.jpeg", "word", "picture.gif", "bmp"};
    Lines lines;
    for (std::size_t i = 0; i < media.size(); ++i) {
        lines.insert(lines.end(), {"[Q" + std::to_string(i + 1), media[i], "FONT", "Q", "[A", "A"});
    }
    lines.push_back("[[qend");
    const LoadResult r = Load(lines);
    EXPECT_EQ(r.NumberOfQuestions, media.size());
    EXPECT_EQ(r.MediaFilesOk, 0);
    EXPECT_EQ(r.FailingMediaLines, (std::vector<std::string>{"Q3: gone.jpg", "Q5: folder.bmp", "Q9: picture.jpeg",
                                                              "Q10: word", "Q11: picture.gif", "Q12: bmp"}));

    const LoadResult clean = Load(Join({{"[Q1", "map.jpg", "FONT", "Q", "[A", "A"}, Record(2), kEnd}));
    EXPECT_EQ(clean.MediaFilesOk, 1);
    EXPECT_TRUE(clean.FailingMediaLines.empty());
}

TEST_F(Loader, SchoolMediaFolderIsWhereTheLookUpGoes) {
    tovrek_test::WriteFile("share/mediafiles/map.jpg", "x");
    EXPECT_TRUE(knowledge::MediaLineFails("map.jpg", knowledge::kMediaFolder));
    EXPECT_FALSE(knowledge::MediaLineFails("map.jpg", "share\\mediafiles\\"));
}

TEST_F(Loader, MediaNamesThatLeaveTheMediaFolderFailEvenWhenTheFileExists) {
    tovrek_test::WriteFile("outside.jpg", "x");
    tovrek_test::WriteFile("mediafiles/sub/inside.jpg", "x");
    EXPECT_TRUE(knowledge::MediaLineFails("..\\outside.jpg", knowledge::kMediaFolder));
    EXPECT_TRUE(knowledge::MediaLineFails("sub/../../outside.jpg", knowledge::kMediaFolder));
    EXPECT_FALSE(knowledge::MediaLineFails("sub\\inside.jpg", knowledge::kMediaFolder));
}

// A question and an answer keep their first lines up to the limit; the
// lines after them are read past, still ending the question at its answer
// marker and the answer at the next label, and the next record loads whole.
TEST_F(Loader, QuestionsAndAnswersKeepTheirFirstLinesUpToTheLimit) {
    const std::size_t max = knowledge::kMaxTextLines;
    const auto numbered = [](const std::string& prefix, std::size_t n) {
        Lines lines;
        for (std::size_t i = 1; i <= n; ++i) lines.push_back(prefix + std::to_string(i));
        return lines;
    };
    const auto joined = [](const Lines& lines) {
        std::string text = lines.front();
        for (std::size_t i = 1; i < lines.size(); ++i) text += std::string(knowledge::kLineMarker) + lines[i];
        return text;
    };
    struct Case {
        const char* label;
        std::size_t questionLines, answerLines;
    } const cases[] = {
        {"both at the limit", max, max},
        {"question one over", max + 1, 1},
        {"answer one over", 1, max + 1},
        {"both far over", 5 * max, 3 * max},
    };
    for (const Case& c : cases) {
        const Lines question = numbered("q", c.questionLines), answer = numbered("a", c.answerLines);
        const LoadResult r = Load(Join({{"[Q1", "", "FONT"}, question, {"[A"}, answer, Record(2), kEnd}));
        ASSERT_EQ(r.NumberOfQuestions, 2) << c.label;
        const Lines keptQuestion(question.begin(), question.begin() + std::min(max, question.size()));
        const Lines keptAnswer(answer.begin(), answer.begin() + std::min(max, answer.size()));
        EXPECT_EQ(table.OriginalQuestion[1], joined(keptQuestion)) << c.label;
        EXPECT_EQ(table.OriginalAnswer[1], joined(keptAnswer)) << c.label;
        EXPECT_EQ(table.QuestionArray[1].QuestionText, table.OriginalQuestion[1]) << c.label;
        EXPECT_EQ(table.QuestionArray[2].QuestionText, "Question 2") << c.label;
        EXPECT_EQ(table.QuestionArray[2].AnswerText, "Answer 2") << c.label;
    }

    // The last answer of the file, far over the limit, ends at the end line
    // or at the end of the file.
    const Lines longAnswer = numbered("a", 2 * max);
    const std::string keptLongAnswer = joined(Lines(longAnswer.begin(), longAnswer.begin() + max));
    for (const bool endLine : {true, false}) {
        Lines lines = Join({Record(1), {"[Q2", "", "FONT", "Q", "[A"}, longAnswer});
        if (endLine) lines.push_back("[[qend");
        ASSERT_EQ(Load(lines).NumberOfQuestions, 2) << endLine;
        EXPECT_EQ(table.OriginalAnswer[2], keptLongAnswer) << endLine;
    }
}

// Long lines fill a text by its bytes before its line count: it keeps the
// lines that fit whole, markers included, and drops the rest, even shorter
// lines that would still fit after them.
TEST_F(Loader, QuestionsAndAnswersKeepNoMoreBytesThanTheLimit) {
    const std::size_t limit = knowledge::kMaxTextBytes;
    const std::size_t marker = std::string(knowledge::kLineMarker).size();
    struct Case {
        const char* label;
        Lines lines;
        std::size_t kept;
    } const cases[] = {
        // Three lines of the longest kind, a fourth and three markers fill
        // the limit exactly.
        {"exactly full", {std::string(2048, 'w'), std::string(2048, 'w'), std::string(2048, 'w'),
                          std::string(limit - 3 * 2048 - 3 * marker, 'w'), "v"}, 4},
        {"one byte over", {std::string(2048, 'w'), std::string(2048, 'w'), std::string(2048, 'w'),
                           std::string(limit - 3 * 2048 - 3 * marker + 1, 'w'), "v"}, 3},
        {"a short line after a drop", {std::string(2048, 'w'), std::string(2048, 'w'), std::string(2048, 'w'),
                                       std::string(2030, 'w'), std::string(20, 'x'), "y"}, 4},
        {"many short lines", Lines(150, std::string(60, 'z')), (limit + marker) / (60 + marker)},
    };
    for (const Case& c : cases) {
        const LoadResult r = Load(Join({{"[Q1", "", "FONT"}, c.lines, {"[A"}, c.lines, Record(2), kEnd}));
        ASSERT_EQ(r.NumberOfQuestions, 2) << c.label;
        std::string expected = c.lines.front();
        for (std::size_t i = 1; i < c.kept; ++i) expected += knowledge::kLineMarker + c.lines[i];
        EXPECT_EQ(table.OriginalQuestion[1], expected) << c.label;
        EXPECT_EQ(table.OriginalAnswer[1], expected) << c.label;
        EXPECT_LE(expected.size(), limit) << c.label;
        EXPECT_EQ(table.QuestionArray[2].QuestionText, "Question 2") << c.label;
    }
}

TEST_F(Loader, MissingFileThrows) {
    EXPECT_THROW(knowledge::LoadTopic(file, "Subjects\\Science\\Gone.txt", LoadOptions{}, table), plat::InOutError);
}

}  // namespace
