// The lines of a question or an answer, joined in memory by the line
// marker, as the memos show them.
//
// Showing a question, the window restores the working texts of row Counter
// from the master copies (RestoreWorkingTexts), then fills each memo with
// the lines CutIntoLines gives for that working text, in order, and
// scrolls it to its first line. The first question of a run is filled from
// the working texts as loaded, without a restore.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "knowledge/question_table.h"

namespace knowledge {

// "A~[)B~[)C" gives A, B, C; an empty text one empty line; a marker at the
// end an empty last line; two markers in a row an empty line between them.
std::vector<std::string> SplitAtLineMarker(const std::string& text);

// The memo filling: the lines of `workingText`, which is left holding its
// last line, as the table's column is left after a display.
std::vector<std::string> CutIntoLines(std::string& workingText);

// QuestionText and AnswerText of row `counter` from OriginalQuestion and
// OriginalAnswer. Throws std::out_of_range for a row outside 1..1000.
void RestoreWorkingTexts(QuestionTable& table, uint16_t counter);

}  // namespace knowledge
