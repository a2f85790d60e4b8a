// The ten-letter format code of a question: sizes, fonts and alignments of
// the three text boxes and the aspect of the question's picture.
//
// Showing a question, the window calls FontDecodeAndDisplay with the row's
// FormatLine, the state of the Swop Q & A box and the configured defaults,
// then gives MemoMedia, MemoQuestion and MemoAnswer the sizes, font names
// and alignments of the result, and keeps its MediaAlignText and
// PictureAspectText for the next media load. When the code was valid the
// window also keeps Decoded as its decoded format state.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace knowledge {

// The values one valid code selects, named as the display keeps them.
struct DecodedFormat {
    uint8_t MediaFontSize = 0;
    std::string MediaFontName;
    std::string MediaAlignText;  // "left" or "center"
    uint8_t QuestionFontSize = 0;
    std::string QuestionFontName;  // "Arial", "Lucida Console" or "SPIonic"
    std::string QuestionAlign;     // "Left" or "Center"
    uint8_t AnswerFontSize = 0;
    std::string AnswerFontName;
    std::string AnswerAlign;
    std::string PictureAspectText;  // "normal" or "stretched"
};

// Exactly ten characters, each (in any case) one of its position's letters:
// a-e, a-b, a-b, a-e, a-c, a-b, a-e, a-c, a-b, a-b. Nothing else is a code;
// "FONT", "RESERVED" and an empty line fall back to the defaults whole.
std::optional<DecodedFormat> DecodeFormatCode(const std::string& formatLine);

// The question values and the answer values change places, as the Swop
// Q & A box asks.
void SwopQuestionAndAnswerStyles(DecodedFormat& format);

// Slots 1 to 10 of the configured defaults (slot 0 unused). Read here:
// 1 media text size, 3 "left"/"center", 4 question size, 7 answer size,
// 10 "normal"/"stretched" in any case.
using FormatDefaultSlots = std::array<std::string, 11>;

// Sizes used when a default size slot holds no size (it can be empty
// before the settings file has been read): those of the default settings.
inline constexpr int kFallbackMediaFontSize = 10;
inline constexpr int kFallbackQuestionFontSize = 12;
inline constexpr int kFallbackAnswerFontSize = 12;

struct TextBoxStyle {
    int FontSize = 0;
    std::string FontName;
    bool LeftAligned = true;
};

// What the display applies to the boxes for one question.
struct FormatDisplay {
    int MediaFontSize = 0;  // MemoMedia font; its alignment waits for a media load
    std::string MediaFontName;
    TextBoxStyle Question;  // MemoQuestion
    TextBoxStyle Answer;    // MemoAnswer
    std::string MediaAlignText;
    std::string PictureAspectText;
    // The decoded state (exchanged when swopped); empty without a valid code.
    std::optional<DecodedFormat> Decoded;
};

// A valid code: its values, the question and answer styles exchanged when
// swopQA is set (the question box then shows the answer text). No valid
// code: the defaults in "Arial", question and answer left-aligned, sizes
// staying with their boxes whatever swopQA says.
FormatDisplay FontDecodeAndDisplay(const std::string& formatLine, bool swopQA,
                                   const FormatDefaultSlots& defaults);

// The integer value of a size slot: a plain decimal from 1 to 255, else
// `fallback`.
int DefaultSize(const std::string& slot, int fallback);

}  // namespace knowledge
