// The texts the search window searches, and the search itself.
//
// The loader fills SearchQuestionTexts and SearchAnswerTexts row by row in
// a Learning run without automatic advance (after Start has emptied them
// with ClearSearchTexts). The search window's Search button takes
// SearchTopic's matches as its match list: the first is shown at once, the
// arrows step through the rest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "knowledge/question_table.h"

namespace knowledge {

// A one-line text is the line itself; otherwise each line in order,
// preceded by a blank (" Paris France").
std::string SearchTextOf(const std::string& joinedText);

// SearchQuestionTexts[i] and SearchAnswerTexts[i] from the working texts of
// row i as loaded.
void BuildSearchTexts(QuestionTable& table, uint16_t i);

// Whether `searchText` occurs anywhere in `text`, both upper-cased in the
// letters a to z only; no trimming, no word splitting.
bool ContainsIgnoringCase(const std::string& text, const std::string& searchText);

// The questions 1 to numberOfQuestions whose search question text, or
// failing that whose search answer text, contains `searchText`, ascending,
// each once. An empty text matches every question. A count above the
// table's size is taken as the table's size.
std::vector<uint16_t> SearchTopic(const QuestionTable& table, uint16_t numberOfQuestions,
                                  const std::string& searchText);

}  // namespace knowledge

namespace knowledge {

// The search box's first character: the printable ASCII codes 33 to 126
// except " ' * + / : ; < = > ? \ ` and |. Anything else (blank, control
// codes, every letter outside ASCII) is refused; later characters are not
// filtered.
bool AcceptedFirstCharacter(uint32_t code);

// The typed text (UTF-8), upper-cased, in each encoding a stored text may
// have: valid UTF-8 is compared as such, anything else as Windows-1252.
// A typed character that Windows-1252 cannot hold leaves no 1252 form, so
// such a text matches nothing rather than a stand-in "?".
struct SearchPattern {
  std::string Utf8;
  std::string Cp1252;
  bool HasCp1252 = false;
};
SearchPattern PrepareSearch(const std::string& typedUtf8);
bool MatchesStored(const std::string& stored, const SearchPattern& pattern);

// SearchTopic for a text as the learner typed it.
std::vector<uint16_t> SearchTopicAsTyped(const QuestionTable& table, uint16_t numberOfQuestions,
                                         const std::string& typedUtf8);

// The result label under the box: its text and Left by the match count.
struct MatchesLabel {
  int Left;
  std::string Caption;
};
MatchesLabel MatchesFoundLabel(size_t count);
// "Found  p/n".
std::string FoundCaption(size_t position, size_t count);

}  // namespace knowledge
