#include "knowledge/topic_loader.h"

#include <string_view>
#include <unordered_map>

#include "knowledge/media_display.h"
#include "knowledge/search_texts.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text8.h"
#include "platform/text_file.h"

namespace knowledge {

namespace {

// marker is "[" and an upper-case letter. Called for every line of a
// topic, so it compares in place instead of upper-casing a copy.
bool BeginsWith(const std::string& line, const char* marker) {
    return line.size() >= 2 && line[0] == marker[0] &&
           (line[1] == marker[1] || line[1] == marker[1] - 'A' + 'a');
}

std::string LastFourUpper(const std::string& line) {
    return plat::UpperCase(line.size() < 4 ? line : line.substr(line.size() - 4));
}

// A question or an answer as it is read: its joined text and how many
// lines that holds, the first line included.
struct JoinedText {
    std::string text;
    std::size_t lines = 1;
    bool full = false;

    // Appends one more line, or drops it and every later one once the text
    // is full.
    void Append(const std::string& line) {
        static const std::size_t kMarkerSize = std::string_view(kLineMarker).size();
        if (full || lines == kMaxTextLines || text.size() + kMarkerSize + line.size() > kMaxTextBytes) {
            full = true;
            return;
        }
        text += kLineMarker;
        text += line;
        ++lines;
    }
};

}  // namespace

bool MediaLineFails(const std::string& mediaLine, const std::string& mediaFolder) {
    const std::string ext = LastFourUpper(mediaLine);
    if (ext == ".JPG" || ext == ".BMP" || ext == ".TXT") {
        return !MediaNameStaysInFolder(mediaLine) || !plat::FileExists(mediaFolder + mediaLine);
    }
    return !(mediaLine.empty() || plat::UpperCase(mediaLine) == "MEDIA");
}

std::string MediaProblemEntry(uint16_t record, const std::string& mediaLine) {
    return "Q" + std::to_string(record) + ": " + mediaLine;
}

LoadResult LoadTopic(plat::TextFile& file, const std::string& path, const LoadOptions& options,
                     QuestionTable& table) {
    LoadResult result;
    file.Assign(path);
    file.Reset();

    // Reading a line replaces the current line. Past the end of the file
    // the text file gives empty lines, so every loop that waits for a
    // marker also watches for the end.
    std::string line;
    std::unordered_map<std::string, bool> mediaVerdicts;
    // The media folder is listed once for the whole check, not per question.
    plat::FolderListingScope listings;
    for (;;) {
        if (!BeginsWith(line, "[Q")) {
            file.ReadLn(line);
        }
        if (line.empty()) {
            break;
        }
        if (result.NumberOfQuestions == kMaxQuestions) {
            result.RecordsLeftOut = true;
            break;
        }

        // Built aside and kept only once its answer marker has been read.
        QuestionRecord record;
        record.QuestionLabel = line.size() < 2 ? std::string() : line.substr(2);
        file.ReadLn(record.MediaLine);
        file.ReadLn(record.FormatLine);
        file.ReadLn(line);
        JoinedText question{line};  // kept even when it is the "[A" line
        bool cutOff = false;
        while (!BeginsWith(line, "[A")) {
            if (file.Eof()) {
                cutOff = true;
                break;
            }
            file.ReadLn(line);
            if (!BeginsWith(line, "[A")) {
                question.Append(line);
            }
        }
        if (cutOff) {
            break;
        }
        question.text.shrink_to_fit();  // a thousand of them stay loaded
        record.QuestionText = std::move(question.text);

        file.ReadLn(line);
        JoinedText answer{line};  // kept even when it begins "[Q"
        while (!BeginsWith(line, "[Q") && !file.Eof()) {
            file.ReadLn(line);
            if (line == "[[qend") {
                break;
            }
            if (!BeginsWith(line, "[Q")) {
                answer.Append(line);
            }
        }
        answer.text.shrink_to_fit();
        record.AnswerText = std::move(answer.text);

        const uint16_t i = result.NumberOfQuestions + 1;
        // Each look-up lists folders to match names without regard to case;
        // topics often name one picture many times.
        auto verdict = mediaVerdicts.find(record.MediaLine);
        if (verdict == mediaVerdicts.end()) {
            verdict = mediaVerdicts.emplace(record.MediaLine, MediaLineFails(record.MediaLine, options.MediaFolder)).first;
        }
        if (verdict->second) {
            result.MediaFilesOk = 0;
            result.FailingMediaLines.push_back(MediaProblemEntry(i, record.MediaLine));
        }
        if (record.FormatLine.size() == 10) {
            result.TopicHasFormatCodes = true;
        }
        // The eliminator column belongs to the run, not to the file.
        record.EliminatorStatus = std::move(table.QuestionArray[i].EliminatorStatus);
        table.OriginalQuestion[i] = record.QuestionText;
        table.OriginalAnswer[i] = record.AnswerText;
        table.QuestionArray[i] = std::move(record);
        if (options.BuildSearchTexts) {
            BuildSearchTexts(table, i);
        }
        result.NumberOfQuestions = i;

        if (file.Eof()) {
            break;
        }
    }
    file.Close();
    return result;
}

}  // namespace knowledge
