#include "knowledge/topic_scan.h"

#include <string_view>

#include "platform/text8.h"
#include "platform/text_file.h"

namespace knowledge {

namespace {

// marker is "[" and an upper-case letter. Called for every line of a
// topic, so it compares in place instead of upper-casing a copy.
bool StartsWithMarker(const std::string& line, const char* marker) {
    return line.size() >= 2 && line[0] == marker[0] &&
           (line[1] == marker[1] || line[1] == marker[1] - 'A' + 'a');
}

}  // namespace

TopicLineCounter::TopicLineCounter(ScanResults& out) : out_(out) {
    out_ = ScanResults{};
}

void TopicLineCounter::CountLine(const std::string& line) {
    // The order matters: a label line moves the position twice, so the
    // format line is the one that brings it to 4. A label line where the
    // format line should be pushes the position past 4 for good, and no
    // later format line is counted (the star then shows).
    if (StartsWithMarker(line, "[Q")) {
        ++out_.NumberOfQuestions;
        ++position_;
    }
    if (position_ != 0) {
        ++position_;
    }
    if (position_ == 4) {
        position_ = 0;
        const std::string upper = plat::UpperCase(line);
        if (upper == "FONT" || upper == "RESERVED") {
            ++out_.PlainFormatCount;
        }
    }
    if (StartsWithMarker(line, "[A")) {
        ++out_.AnswerCount;
    }
    // A view compares the lengths first, so most lines cost no memcmp.
    if (std::string_view(line) == std::string_view("[[qend")) {
        out_.QEndFound = true;
    }
    if (!line.empty()) {
        ++out_.LineCount;
    }
}

std::string TopicFilePath(const std::string& subject, const std::string& topic) {
    return "Subjects\\" + subject + "\\" + topic + ".txt";
}

void ScanTopicFile(plat::TextFile& file, const std::string& path, ScanResults& out) {
    TopicLineCounter counter(out);
    file.Assign(path);
    file.Reset();
    std::string line;
    do {
        file.ReadLn(line);
        counter.CountLine(line);
    } while (!file.Eof());
    file.Close();
}

void ValidateTopicCounts(const ScanResults& scan, bool topicListEmpty, ProblemFlags& flags) {
    flags.TopicInvalid = 0;
    if (topicListEmpty) {
        flags.TooFewQuestions = 1;
        flags.NoTopics = 1;
        flags.TopicInvalid = 1;
        return;
    }
    flags.NoTopics = 0;
    // Only the counts decide; an end line anywhere will do, and an empty
    // file is "too few questions" rather than corrupt.
    if (scan.LineCount != 0 && !scan.QEndFound) {
        flags.TopicCorrupt = 1;
        flags.TopicInvalid = 1;
        return;
    }
    if (scan.NumberOfQuestions != scan.AnswerCount) {
        flags.TopicCorrupt = 1;
        flags.TopicInvalid = 1;
        return;
    }
    flags.TopicCorrupt = 0;
    if (scan.NumberOfQuestions < 2) {
        flags.TooFewQuestions = 1;
        flags.TopicInvalid = 1;
    } else {
        flags.TooFewQuestions = 0;
    }
}

std::string TopicLabelCaption(const ScanResults& scan) {
    std::string caption = "TOPIC  ...  " + std::to_string(scan.NumberOfQuestions) + "  QUESTIONS";
    if (scan.PlainFormatCount != scan.NumberOfQuestions) {
        caption += " *";
    }
    return caption;
}

bool IsTopicFileName(const std::string& name) {
    const std::size_t tail = name.size() < 3 ? 0 : name.size() - 3;
    return plat::UpperCase(name.substr(tail)) == "TXT";
}

std::string TopicNameOf(const std::string& fileName) {
    return fileName.size() <= 4 ? std::string() : fileName.substr(0, fileName.size() - 4);
}

}  // namespace knowledge
