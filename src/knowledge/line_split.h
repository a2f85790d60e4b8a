// The lines of a question or an answer, joined in memory by the line
// marker, as the memos show them.
//
// Showing a question, the window restores the working texts of row Counter
// from the master copies (RestoreWorkingTexts), then fills each memo with
// the lines CutIntoLines gives for that working text, in order, and
// scrolls it to its first line. The first question of a run is filled from
// the working texts as loaded, without a restore.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "knowledge/question_table.h"

namespace knowledge {

// "A~[)B~[)C" gives A, B, C; an empty text one empty line; a marker at the
// end an empty last line; two markers in a row an empty line between them.
// At most `maxLines` lines: the text after the last of them is dropped.
std::vector<std::string> SplitAtLineMarker(const std::string& text,
                                           std::size_t maxLines = static_cast<std::size_t>(-1));

// The memo filling: the first kMaxTextLines lines of `workingText`, which
// is left holding the last of them, as the table's column is left after a
// display. A loaded text holds no more lines than that, unless its lines
// hold the marker themselves.
std::vector<std::string> CutIntoLines(std::string& workingText);

// QuestionText and AnswerText of row `counter` from OriginalQuestion and
// OriginalAnswer. Throws std::out_of_range for a row outside 1..1000.
void RestoreWorkingTexts(QuestionTable& table, uint16_t counter);

}  // namespace knowledge
