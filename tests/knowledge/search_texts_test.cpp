#include "knowledge/search_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using knowledge::QuestionTable;
using Matches = std::vector<uint16_t>;

TEST(SearchTextOf, LinesJoinedBySingleBlanks) {
    EXPECT_EQ(knowledge::SearchTextOf("Paris"), "Paris");
    EXPECT_EQ(knowledge::SearchTextOf(""), "");
    EXPECT_EQ(knowledge::SearchTextOf("Paris~[)France"), " Paris France");
    EXPECT_EQ(knowledge::SearchTextOf("A~[)~[)B"), " A  B");
    EXPECT_EQ(knowledge::SearchTextOf("A~[)"), " A ");
}

// Question i's texts as the loader builds them.
class Search : public ::testing::Test {
protected:
    void Add(const std::string& question, const std::string& answer) {
        ++n;
        table.QuestionArray[n].QuestionText = question;
        table.QuestionArray[n].AnswerText = answer;
        knowledge::BuildSearchTexts(table, n);
    }

    Matches Find(const std::string& text) { return knowledge::SearchTopic(table, n, text); }

    QuestionTable table;
    uint16_t n = 0;
};

TEST_F(Search, MatchesInOrderEachOnce) {
    Add("Capital of France?", "Paris");
    Add("Where is the Louvre?", "In PARIS~[)on the Seine");
    Add("Paris or Rome?", "Paris");
    Add("Largest ocean?", "Pacific");
    EXPECT_EQ(Find("paris"), (Matches{1, 2, 3}));
    EXPECT_EQ(Find("PARIS"), (Matches{1, 2, 3}));
    EXPECT_EQ(Find("Pa"), (Matches{1, 2, 3, 4}));
    EXPECT_EQ(Find("ocean"), (Matches{4}));
    EXPECT_EQ(Find("berlin"), (Matches{}));
}

TEST_F(Search, PlainSubstringOverTheJoinedLines) {
    Add("Two~[)lines", "x");
    Add("Twolines", "x");
    EXPECT_EQ(Find("o l"), (Matches{1}));
    EXPECT_EQ(Find(" two"), (Matches{1}));
    EXPECT_EQ(Find("twol"), (Matches{2}));
    EXPECT_EQ(Find("two "), (Matches{1}));
    EXPECT_EQ(Find("lines "), (Matches{}));
}

TEST_F(Search, OnlyLettersAToZIgnoreCase) {
    Add("caf\xe9", "x");   // small e acute
    Add("CAF\xc9", "x");   // capital E acute
    Add("[tag]", "x");
    EXPECT_EQ(Find("CAF\xe9"), (Matches{1}));
    EXPECT_EQ(Find("caf\xc9"), (Matches{2}));
    EXPECT_EQ(Find("caf"), (Matches{1, 2}));
    // '[' and '{' differ by the case bit, yet are not letters.
    EXPECT_EQ(Find("{TAG}"), (Matches{}));
    EXPECT_EQ(Find("[TAG]"), (Matches{3}));
}

TEST_F(Search, RowsAboveTheTopicAreNotSearched) {
    Add("alpha", "x");
    Add("beta", "x");
    table.SearchQuestionTexts[3] = "alpha";
    EXPECT_EQ(Find("alpha"), (Matches{1}));
    EXPECT_EQ(knowledge::SearchTopic(table, 65535, "alpha"), (Matches{1, 3}));
}

}  // namespace
