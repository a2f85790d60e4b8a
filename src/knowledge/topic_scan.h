#pragma once

#include <cstdint>
#include <string>

#include "knowledge/problem_flags.h"

namespace plat {
class TextFile;
}

namespace knowledge {

// Counts of the last scan of a topic file. The main window's unit state
// inherits them; NumberOfQuestions is reused there for the questions loaded.
// The counts are 64-bit so that no file can make them wrap: 16-bit counts
// would call 65,537 records "too few" and 100,000 records "34464".
struct ScanResults {
    uint64_t NumberOfQuestions = 0;  // lines starting "[Q" (any case)
    uint64_t AnswerCount = 0;        // lines starting "[A" (any case)
    uint64_t LineCount = 0;          // non-empty lines, blanks included
    uint64_t PlainFormatCount = 0;   // format lines "FONT" or "RESERVED"
    bool QEndFound = false;          // some line is exactly "[[qend"
};

// The counting pass over a topic file, one line at a time. Construction
// zeroes the results it counts into, so a scan that fails part way leaves
// the counts of the lines read so far, as the unit state would hold them.
class TopicLineCounter {
public:
    explicit TopicLineCounter(ScanResults& out);

    void CountLine(const std::string& line);

    // Lines since the last label line; 0 once the format line was passed.
    uint64_t Position() const { return position_; }

private:
    ScanResults& out_;
    uint64_t position_ = 0;  // wide too: wrapping to 0 would restart format counting
};

// "Subjects\" + subject + "\" + topic + ".txt", as the scan and the loader
// spell it.
std::string TopicFilePath(const std::string& subject, const std::string& topic);

// Zeroes `out`, then opens `path` through `file` and counts every line,
// reading at least one (an empty file counts as one empty line), and closes
// the file. Throws whatever the file throws; `out` then holds the partial
// counts.
void ScanTopicFile(plat::TextFile& file, const std::string& path, ScanResults& out);

// The verdict on the counts. Only the flags it decides are written; the
// others keep their values until the problem window clears them.
void ValidateTopicCounts(const ScanResults& scan, bool topicListEmpty, ProblemFlags& flags);

// The topic label for an invalid topic, and before any topic is chosen.
inline constexpr const char* kTopicLabelPlain = "TOPIC";

// The topic label for a valid topic: the count, starred when some record
// carries a format code.
std::string TopicLabelCaption(const ScanResults& scan);

// Topic listing: an entry is a topic when its last three characters are
// "TXT" in any case; its topic name is the entry name less four characters.
bool IsTopicFileName(const std::string& name);
std::string TopicNameOf(const std::string& fileName);

}  // namespace knowledge
