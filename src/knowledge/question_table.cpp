#include "knowledge/question_table.h"

#include <algorithm>
#include <utility>

namespace knowledge {

void ResetEliminatorStatus(QuestionTable& table) {
    for (std::size_t i = 1; i <= kMaxQuestions; ++i) {
        table.QuestionArray[i].EliminatorStatus = kEliminatorNothing;
    }
}

void ClearSearchTexts(QuestionTable& table) {
    table.SearchQuestionTexts.fill(std::string());
    table.SearchAnswerTexts.fill(std::string());
}

void SwopQuestionsAndAnswers(QuestionTable& table, uint16_t numberOfQuestions) {
    const uint16_t n = std::min(numberOfQuestions, kMaxQuestions);
    for (std::size_t i = 1; i <= n; ++i) {
        QuestionRecord& row = table.QuestionArray[i];
        std::swap(row.QuestionText, row.AnswerText);
        std::swap(table.OriginalQuestion[i], table.OriginalAnswer[i]);
    }
}

}  // namespace knowledge
