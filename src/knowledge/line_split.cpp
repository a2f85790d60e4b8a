#include "knowledge/line_split.h"

#include <string_view>

namespace knowledge {

std::vector<std::string> SplitAtLineMarker(const std::string& text, std::size_t maxLines) {
    const std::string_view marker(kLineMarker);
    std::vector<std::string> lines;
    if (maxLines == 0) {
        return lines;
    }
    std::size_t start = 0;
    for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + marker.size();
        if (lines.size() == maxLines) {
            return lines;
        }
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string> CutIntoLines(std::string& workingText) {
    std::vector<std::string> lines = SplitAtLineMarker(workingText, kMaxTextLines);
    workingText = lines.back();
    return lines;
}

void RestoreWorkingTexts(QuestionTable& table, uint16_t counter) {
    QuestionRecord& row = table.QuestionArray[counter];
    row.QuestionText = table.OriginalQuestion[counter];
    row.AnswerText = table.OriginalAnswer[counter];
}

}  // namespace knowledge
