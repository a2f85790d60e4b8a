// The search rules without the window: the first-character set, matching
// in the stored text's own encoding, and the result label by count.
#include <gtest/gtest.h>

#include <set>

#include "knowledge/search_texts.h"

namespace {

TEST(SearchRulesTest, FirstCharacterSetIsExactlyTheListedCodes) {
  std::set<uint32_t> accepted = {33, 35, 36, 37, 38, 40, 41, 44, 45, 46, 64, 91, 93, 94, 95, 123, 125, 126};
  for (uint32_t c = 48; c <= 57; ++c) accepted.insert(c);
  for (uint32_t c = 65; c <= 90; ++c) accepted.insert(c);
  for (uint32_t c = 97; c <= 122; ++c) accepted.insert(c);
  for (uint32_t code = 0; code < 0x400; ++code)
    EXPECT_EQ(knowledge::AcceptedFirstCharacter(code), accepted.count(code) == 1) << code;
  EXPECT_FALSE(knowledge::AcceptedFirstCharacter(0x20AC));
}

TEST(SearchRulesTest, MatchesInTheStoredEncoding) {
  struct Case {
    const char* stored;
    const char* typed;  // UTF-8
    bool matches;
  } const cases[] = {
      {"Paris", "paris", true},
      {"PARIS", "aRi", true},
      {" Capital Paris", " capital", true},
      {"caf\xe9", "caf\xc3\xa9", true},          // Windows-1252 text
      {"caf\xc3\xa9", "caf\xc3\xa9", true},      // UTF-8 text
      {"CAF\xc9", "caf\xc3\xa9", false},         // accents are not upper-cased
      {"price \x80", "\xe2\x82\xac", true},      // the euro sign in 1252
      {"why? \xe9", "\xe2\x98\x83", false},      // no 1252 byte: nothing matches
      {"why? \xe9", "?", true},
      {"", "a", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(knowledge::MatchesStored(c.stored, knowledge::PrepareSearch(c.typed)), c.matches)
        << c.stored << " / " << c.typed;
}

TEST(SearchRulesTest, SearchStaysWithinTheLoadedQuestions) {
  knowledge::QuestionTable t;
  for (uint16_t i = 1; i <= knowledge::kMaxQuestions; ++i) t.SearchQuestionTexts[i] = "same";
  t.SearchAnswerTexts[3] = "same";
  EXPECT_EQ(knowledge::SearchTopicAsTyped(t, 3, "SAME"), (std::vector<uint16_t>{1, 2, 3}));
  EXPECT_EQ(knowledge::SearchTopicAsTyped(t, 5000, "same").size(), knowledge::kMaxQuestions);
}

TEST(SearchRulesTest, LabelByCount) {
  struct Case {
    size_t count;
    int left;
    const char* caption;
  } const cases[] = {
      {0, 44, "Tovrek found 0 questions"},   {1, 46, "Tovrek found 1 question"},
      {2, 44, "Tovrek found 2 questions"},   {9, 44, "Tovrek found 9 questions"},
      {10, 40, "Tovrek found 10 questions"}, {99, 40, "Tovrek found 99 questions"},
      {100, 37, "Tovrek found 100 questions"}, {1000, 37, "Tovrek found 1000 questions"},
  };
  for (const Case& c : cases) {
    const knowledge::MatchesLabel l = knowledge::MatchesFoundLabel(c.count);
    EXPECT_EQ(l.Left, c.left) << c.count;
    EXPECT_EQ(l.Caption, c.caption);
  }
  EXPECT_EQ(knowledge::FoundCaption(3, 12), "Found  3/12");
}

}  // namespace
