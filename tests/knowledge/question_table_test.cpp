#include "knowledge/question_table.h"

#include <gtest/gtest.h>

#include <string>

#include "knowledge/line_split.h"

namespace {

using knowledge::QuestionTable;

TEST(OneBased, IndexOutsideTheTableThrows) {
    knowledge::OneBased<bool, 1000> flags;
    EXPECT_FALSE(flags[1]);
    EXPECT_FALSE(flags[1000]);
    EXPECT_THROW(flags[0], std::out_of_range);
    EXPECT_THROW(flags[1001], std::out_of_range);
    const knowledge::OneBased<uint16_t, 1000>& list = knowledge::OneBased<uint16_t, 1000>();
    EXPECT_THROW(list[1001], std::out_of_range);
}

TEST(OneBased, CopiesAreIndependent) {
    knowledge::OneBased<std::string, 3> a;
    a[1] = "one";
    knowledge::OneBased<std::string, 3> b = a;
    b[1] = "changed";
    EXPECT_EQ(a[1], "one");
    a = b;
    b[1] = "again";
    EXPECT_EQ(a[1], "changed");
}

TEST(QuestionTable, EliminatorResetCoversEveryRow) {
    QuestionTable table;
    table.QuestionArray[3].EliminatorStatus = "correct";
    knowledge::ResetEliminatorStatus(table);
    for (std::size_t i = 1; i <= knowledge::kMaxQuestions; ++i) {
        ASSERT_EQ(table.QuestionArray[i].EliminatorStatus, "nothing") << i;
    }
}

TEST(QuestionTable, ClearSearchTextsEmptiesEveryRow) {
    QuestionTable table;
    table.SearchQuestionTexts[1] = "q";
    table.SearchAnswerTexts[1000] = "a";
    knowledge::ClearSearchTexts(table);
    EXPECT_EQ(table.SearchQuestionTexts[1], "");
    EXPECT_EQ(table.SearchAnswerTexts[1000], "");
}

QuestionTable ThreeRows() {
    QuestionTable table;
    for (std::size_t i = 1; i <= 3; ++i) {
        const std::string s = std::to_string(i);
        table.QuestionArray[i] = {"L" + s, "m" + s, "FONT", "Q" + s, "A" + s, "nothing"};
        table.OriginalQuestion[i] = "Q" + s + "~[)more";
        table.OriginalAnswer[i] = "A" + s;
        table.SearchQuestionTexts[i] = "Q" + s;
        table.SearchAnswerTexts[i] = "A" + s;
    }
    return table;
}

TEST(QuestionTable, SwopExchangesTextsOfTheLoadedRowsOnly) {
    QuestionTable table = ThreeRows();
    knowledge::SwopQuestionsAndAnswers(table, 2);
    for (std::size_t i = 1; i <= 2; ++i) {
        const std::string s = std::to_string(i);
        EXPECT_EQ(table.QuestionArray[i].QuestionText, "A" + s);
        EXPECT_EQ(table.QuestionArray[i].AnswerText, "Q" + s);
        EXPECT_EQ(table.OriginalQuestion[i], "A" + s);
        EXPECT_EQ(table.OriginalAnswer[i], "Q" + s + "~[)more");
        EXPECT_EQ(table.QuestionArray[i].QuestionLabel, "L" + s);
        EXPECT_EQ(table.QuestionArray[i].MediaLine, "m" + s);
        EXPECT_EQ(table.SearchQuestionTexts[i], "Q" + s);
    }
    EXPECT_EQ(table.QuestionArray[3].QuestionText, "Q3");
    EXPECT_EQ(table.OriginalQuestion[3], "Q3~[)more");
}

TEST(QuestionTable, SwopOfACountBeyondTheTableStopsAtItsEnd) {
    QuestionTable table = ThreeRows();
    EXPECT_NO_THROW(knowledge::SwopQuestionsAndAnswers(table, 65535));
    EXPECT_EQ(table.QuestionArray[1].QuestionText, "A1");
}

TEST(LineSplit, Table) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"A~[)B~[)C", {"A", "B", "C"}},
        {"A", {"A"}},
        {"", {""}},
        {"A~[)", {"A", ""}},
        {"~[)A", {"", "A"}},
        {"A~[)~[)B", {"A", "", "B"}},
        {"~[)", {"", ""}},
        {"A~[B~)C", {"A~[B~)C"}},
        {"~[~[)x", {"~[", "x"}},
        {"A~[)~[)~[)", {"A", "", "", ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(knowledge::SplitAtLineMarker(c.text), c.lines) << c.text;
    }
}

// The memo gets at most the text's line limit, also when its lines hold
// the marker themselves; the working text is left holding the last line
// given.
TEST(LineSplit, FillingGivesAtMostTheLineLimit) {
    const std::size_t max = knowledge::kMaxTextLines;
    std::string marker(knowledge::kLineMarker), atLimit = "1", overLimit = "1";
    for (std::size_t i = 2; i <= max; ++i) atLimit += marker + std::to_string(i);
    overLimit = atLimit + marker + "over" + marker + "more";

    std::string working = atLimit;
    std::vector<std::string> lines = knowledge::CutIntoLines(working);
    ASSERT_EQ(lines.size(), max);
    EXPECT_EQ(lines.back(), std::to_string(max));
    EXPECT_EQ(working, std::to_string(max));

    working = overLimit;
    lines = knowledge::CutIntoLines(working);
    ASSERT_EQ(lines.size(), max);
    EXPECT_EQ(lines.back(), std::to_string(max));
    EXPECT_EQ(working, std::to_string(max));

    EXPECT_EQ(knowledge::SplitAtLineMarker(overLimit).size(), max + 2) << "no limit unless asked";
    EXPECT_EQ(knowledge::SplitAtLineMarker("A~[)B~[)C", 2), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(knowledge::SplitAtLineMarker("A~[)B", 2), (std::vector<std::string>{"A", "B"}));
}

TEST(LineSplit, FillingLeavesTheLastLineAndRestoreBringsTheTextBack) {
    QuestionTable table = ThreeRows();
    knowledge::RestoreWorkingTexts(table, 2);
    std::string& working = table.QuestionArray[2].QuestionText;
    EXPECT_EQ(working, "Q2~[)more");
    EXPECT_EQ(knowledge::CutIntoLines(working), (std::vector<std::string>{"Q2", "more"}));
    EXPECT_EQ(working, "more");
    knowledge::RestoreWorkingTexts(table, 2);
    EXPECT_EQ(knowledge::CutIntoLines(working), (std::vector<std::string>{"Q2", "more"}));
    EXPECT_THROW(knowledge::RestoreWorkingTexts(table, 0), std::out_of_range);
}

}  // namespace
