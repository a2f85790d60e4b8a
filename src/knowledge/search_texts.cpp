#include "knowledge/search_texts.h"

#include <algorithm>

#include "knowledge/line_split.h"
#include "platform/text8.h"

namespace knowledge {

std::string SearchTextOf(const std::string& joinedText) {
    if (joinedText.find(kLineMarker) == std::string::npos) {
        return joinedText;
    }
    std::string result;
    for (const std::string& line : SplitAtLineMarker(joinedText)) {
        result += ' ';
        result += line;
    }
    return result;
}

void BuildSearchTexts(QuestionTable& table, uint16_t i) {
    const QuestionRecord& row = table.QuestionArray[i];
    table.SearchQuestionTexts[i] = SearchTextOf(row.QuestionText);
    table.SearchAnswerTexts[i] = SearchTextOf(row.AnswerText);
}

bool ContainsIgnoringCase(const std::string& text, const std::string& searchText) {
    return plat::UpperCase(text).find(plat::UpperCase(searchText)) != std::string::npos;
}

std::vector<uint16_t> SearchTopic(const QuestionTable& table, uint16_t numberOfQuestions,
                                  const std::string& searchText) {
    const uint16_t n = std::min(numberOfQuestions, kMaxQuestions);
    std::vector<uint16_t> matches;
    for (uint16_t i = 1; i <= n; ++i) {
        if (ContainsIgnoringCase(table.SearchQuestionTexts[i], searchText) ||
            ContainsIgnoringCase(table.SearchAnswerTexts[i], searchText)) {
            matches.push_back(i);
        }
    }
    return matches;
}

}  // namespace knowledge
