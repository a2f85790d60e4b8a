// The search window's search over a 1000-question topic of realistic
// texts: a word found in a few questions, one in none, and an accented one
// over texts stored in Windows-1252.
#include <benchmark/benchmark.h>

#include <string>

#include "knowledge/question_table.h"
#include "knowledge/search_texts.h"

namespace {

knowledge::QuestionTable& Topic(bool cp1252) {
  static knowledge::QuestionTable table[2];
  knowledge::QuestionTable& t = table[cp1252 ? 1 : 0];
  static bool built[2] = {false, false};
  if (!built[cp1252 ? 1 : 0]) {
    const char* const capitals[] = {"Paris", "Rome", "Madrid", "Berlin", "Vienna", "Lisbon", "Prague"};
    for (uint16_t i = 1; i <= knowledge::kMaxQuestions; ++i) {
      const std::string city = capitals[i % 7];
      t.SearchQuestionTexts[i] = " Question " + std::to_string(i) + ": which country has " + city +
                                 " as its capital, and in which year did it become the seat of government?";
      t.SearchAnswerTexts[i] = " The capital " + city + " lies in a country of the European Union; its " +
                               (cp1252 ? "caf\xe9s" : "cafes") + " and museums draw visitors all year round.";
    }
    built[cp1252 ? 1 : 0] = true;
  }
  return t;
}

void BM_Search(benchmark::State& state, const char* text, bool cp1252) {
  const knowledge::QuestionTable& t = Topic(cp1252);
  for (auto _ : state) benchmark::DoNotOptimize(knowledge::SearchTopicAsTyped(t, 1000, text));
}

BENCHMARK_CAPTURE(BM_Search, SomeMatches, "prague", false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, NoMatch, "ljubljana", false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, AccentedOver1252, "caf\xc3\xa9s", true)->Unit(benchmark::kMicrosecond);

}  // namespace
