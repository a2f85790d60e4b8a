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
