// Reading a topic file into the question table at Start.
//
// Start runs, in its order: ResetEliminatorStatus (Practice with the
// Eliminator), ClearSearchTexts (Learning without automatic advance),
// MediaFilesOk := 1 and the problem window's list cleared, then LoadTopic
// through the unit's one text file; it copies the result into the unit
// state (NumberOfQuestions, TopicHasFormatCodes, MediaFilesOk) and the
// failing media lines into the problem window's list, then swops questions
// and answers when the box is ticked (question_table.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "knowledge/question_table.h"

namespace plat {
class TextFile;
}

namespace knowledge {

// The media folder as a question's media line is looked up in; the school
// build passes the folder below the server's share instead.
inline constexpr const char* kMediaFolder = "mediafiles\\";

struct LoadOptions {
    // Learning without automatic advance: the search texts are built.
    bool BuildSearchTexts = false;
    std::string MediaFolder = kMediaFolder;
};

struct LoadResult {
    uint16_t NumberOfQuestions = 0;    // records loaded, at most 1000
    bool TopicHasFormatCodes = false;  // some loaded format line has ten characters
    uint8_t MediaFilesOk = 1;          // 0 once a loaded media line fails its check
    // The problem window's list: "Q" + record number + ": " + media line.
    std::vector<std::string> FailingMediaLines;
    // The file held more than 1000 records; those after the 1000th were
    // left unread.
    bool RecordsLeftOut = false;
};

// A media line fails when it ends in ".JPG", ".BMP" or ".TXT" (any case)
// and mediaFolder + line is no file or lies outside the folder (an
// absolute name or a ".." component), or when it ends otherwise and is
// neither empty nor "MEDIA" (any case). The default picture is not checked.
bool MediaLineFails(const std::string& mediaLine, const std::string& mediaFolder);

// "Q7: map.jpg"
std::string MediaProblemEntry(uint16_t record, const std::string& mediaLine);

// Opens `path` through `file`, reads its records into rows 1, 2, ... of
// `table`, and closes it. Each record: the label line (kept from its third
// character, whatever it begins with), the media line, the format line, the
// question lines up to a line beginning "[A" (any case), and the answer
// lines up to the next line beginning "[Q" or the exact end line "[[qend".
// Reading stops at the end of the file after a record, or at an empty line
// where a label line is expected.
//
// A question or an answer keeps its first lines, at most kMaxTextLines of
// them and kMaxTextBytes in all; the lines after them are read, for the
// markers, and dropped.
//
// The end of the file inside a record: a record whose answer marker has
// been read is kept, the end of the file ending its answer (an answer
// marker on the last line gives one empty answer line); a record that
// ends before its answer marker is dropped. At most 1000 records are
// loaded. Throws whatever the file throws (plat::InOutError).
LoadResult LoadTopic(plat::TextFile& file, const std::string& path, const LoadOptions& options,
                     QuestionTable& table);

}  // namespace knowledge
