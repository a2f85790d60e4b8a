#include "knowledge/search_texts.h"

#include <algorithm>
#include <string_view>

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

namespace knowledge {

bool AcceptedFirstCharacter(uint32_t code) {
  if (code < 32 || code > 127) return false;
  static constexpr const char* kRefused = " \"'*+/:;<=>?\\`|\x7f";
  return std::string_view(kRefused).find(static_cast<char>(code)) == std::string_view::npos;
}

namespace {

// UTF-8 of each Windows-1252 byte from 0x80 up, as the display shows it.
const std::vector<std::pair<std::string, char>>& Cp1252Table() {
  static const std::vector<std::pair<std::string, char>> table = [] {
    std::vector<std::pair<std::string, char>> t;
    for (int b = 0x80; b <= 0xFF; ++b) {
      const std::string one(1, static_cast<char>(b));
      t.emplace_back(plat::DisplayText(one), static_cast<char>(b));
    }
    return t;
  }();
  return table;
}

// False when a character has no Windows-1252 byte.
bool ToCp1252(const std::string& utf8, std::string& out) {
  out.clear();
  size_t i = 0;
  while (i < utf8.size()) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    const size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    const std::string seq = utf8.substr(i, len);
    bool found = false;
    for (const auto& [shown, byte] : Cp1252Table()) {
      if (shown == seq) {
        out += byte;
        found = true;
        break;
      }
    }
    if (!found) return false;
    i += len;
  }
  return true;
}

}  // namespace

SearchPattern PrepareSearch(const std::string& typedUtf8) {
  SearchPattern p;
  p.Utf8 = plat::UpperCase(typedUtf8);
  p.HasCp1252 = ToCp1252(p.Utf8, p.Cp1252);
  return p;
}

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// `upper` (already upper-cased) in `text` upper-cased, without a copy.
bool ContainsUpper(const std::string& text, const std::string& upper) {
  if (upper.empty()) return true;
  if (upper.size() > text.size()) return false;
  const char first = upper[0];
  const size_t last = text.size() - upper.size();
  for (size_t i = 0; i <= last; ++i) {
    if (Upper(text[i]) != first) continue;
    size_t k = 1;
    while (k < upper.size() && Upper(text[i + k]) == upper[k]) ++k;
    if (k == upper.size()) return true;
  }
  return false;
}

}  // namespace

bool MatchesStored(const std::string& stored, const SearchPattern& pattern) {
  // An ASCII text is the same bytes in either encoding.
  if (pattern.HasCp1252 && pattern.Cp1252 == pattern.Utf8) return ContainsUpper(stored, pattern.Utf8);
  if (plat::IsValidUtf8(stored)) return ContainsUpper(stored, pattern.Utf8);
  return pattern.HasCp1252 && ContainsUpper(stored, pattern.Cp1252);
}

std::vector<uint16_t> SearchTopicAsTyped(const QuestionTable& table, uint16_t numberOfQuestions,
                                         const std::string& typedUtf8) {
  const SearchPattern pattern = PrepareSearch(typedUtf8);
  const uint16_t n = std::min(numberOfQuestions, kMaxQuestions);
  std::vector<uint16_t> matches;
  for (uint16_t i = 1; i <= n; ++i) {
    if (MatchesStored(table.SearchQuestionTexts[i], pattern) || MatchesStored(table.SearchAnswerTexts[i], pattern))
      matches.push_back(i);
  }
  return matches;
}

MatchesLabel MatchesFoundLabel(size_t count) {
  const int left = count == 1 ? 46 : count < 10 ? 44 : count < 100 ? 40 : 37;
  const std::string caption =
      count == 1 ? std::string("Tovrek found 1 question") : "Tovrek found " + std::to_string(count) + " questions";
  return {left, caption};
}

std::string FoundCaption(size_t position, size_t count) {
  return "Found  " + std::to_string(position) + "/" + std::to_string(count);
}

}  // namespace knowledge
