#include "knowledge/format_code.h"

#include <utility>

#include "platform/text8.h"

namespace knowledge {

namespace {

constexpr std::array<uint8_t, 5> kSizes{8, 10, 12, 14, 18};
constexpr std::array<const char*, 3> kFonts{"Arial", "Lucida Console", "SPIonic"};

// Letters allowed at each position, from 'a'.
constexpr std::array<int, 10> kLetterCount{5, 2, 2, 5, 3, 2, 5, 3, 2, 2};

// 0 for 'a' or 'A' and so on; -1 for anything that is no ASCII letter.
int LetterIndex(char c) {
    if (c >= 'a' && c <= 'z') {
        return c - 'a';
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    return -1;
}

}  // namespace

std::optional<DecodedFormat> DecodeFormatCode(const std::string& formatLine) {
    if (formatLine.size() != kLetterCount.size()) {
        return std::nullopt;
    }
    std::array<int, 10> v{};
    for (std::size_t pos = 0; pos < v.size(); ++pos) {
        v[pos] = LetterIndex(formatLine[pos]);
        if (v[pos] < 0 || v[pos] >= kLetterCount[pos]) {
            return std::nullopt;
        }
    }
    DecodedFormat f;
    f.MediaFontSize = kSizes[v[0]];
    f.MediaFontName = kFonts[v[1]];
    f.MediaAlignText = v[2] == 0 ? "left" : "center";
    f.QuestionFontSize = kSizes[v[3]];
    f.QuestionFontName = kFonts[v[4]];
    f.QuestionAlign = v[5] == 0 ? "Left" : "Center";
    f.AnswerFontSize = kSizes[v[6]];
    f.AnswerFontName = kFonts[v[7]];
    f.AnswerAlign = v[8] == 0 ? "Left" : "Center";
    f.PictureAspectText = v[9] == 0 ? "normal" : "stretched";
    return f;
}

void SwopQuestionAndAnswerStyles(DecodedFormat& format) {
    std::swap(format.QuestionFontSize, format.AnswerFontSize);
    std::swap(format.QuestionFontName, format.AnswerFontName);
    std::swap(format.QuestionAlign, format.AnswerAlign);
}

int DefaultSize(const std::string& slot, int fallback) {
    if (slot.empty() || slot.size() > 3) {
        return fallback;
    }
    int value = 0;
    for (char c : slot) {
        if (c < '0' || c > '9') {
            return fallback;
        }
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 255 ? value : fallback;
}

FormatDisplay FontDecodeAndDisplay(const std::string& formatLine, bool swopQA,
                                   const FormatDefaultSlots& defaults) {
    FormatDisplay d;
    std::optional<DecodedFormat> code = DecodeFormatCode(formatLine);
    if (code) {
        if (swopQA) {
            SwopQuestionAndAnswerStyles(*code);
        }
        d.MediaFontSize = code->MediaFontSize;
        d.MediaFontName = code->MediaFontName;
        d.MediaAlignText = code->MediaAlignText;
        d.Question = {code->QuestionFontSize, code->QuestionFontName, code->QuestionAlign == "Left"};
        d.Answer = {code->AnswerFontSize, code->AnswerFontName, code->AnswerAlign == "Left"};
        d.PictureAspectText = code->PictureAspectText;
        d.Decoded = std::move(code);
        return d;
    }
    d.MediaFontSize = DefaultSize(defaults[1], kFallbackMediaFontSize);
    d.MediaFontName = "Arial";
    d.MediaAlignText = defaults[3] == "center" ? "center" : "left";
    d.Question = {DefaultSize(defaults[4], kFallbackQuestionFontSize), "Arial", true};
    d.Answer = {DefaultSize(defaults[7], kFallbackAnswerFontSize), "Arial", true};
    d.PictureAspectText = plat::UpperCase(defaults[10]) == "STRETCHED" ? "stretched" : "normal";
    return d;
}

}  // namespace knowledge
