#include "knowledge/format_code.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using knowledge::FormatDefaultSlots;
using knowledge::FormatDisplay;

struct ValidCase {
    const char* code;
    int mediaSize;
    const char* mediaFont;
    const char* mediaAlign;
    int questionSize;
    const char* questionFont;
    const char* questionAlign;
    int answerSize;
    const char* answerFont;
    const char* answerAlign;
    const char* aspect;
};

const ValidCase kValid[] = {
    {"bbbdcaabbb", 10, "Lucida Console", "center", 14, "SPIonic", "Left", 8, "Lucida Console", "Center", "stretched"},
    {"BBBDCAABBB", 10, "Lucida Console", "center", 14, "SPIonic", "Left", 8, "Lucida Console", "Center", "stretched"},
    {"bBbDcAaBbB", 10, "Lucida Console", "center", 14, "SPIonic", "Left", 8, "Lucida Console", "Center", "stretched"},
    {"aaaaaaaaaa", 8, "Arial", "left", 8, "Arial", "Left", 8, "Arial", "Left", "normal"},
    {"ebbecbecbb", 18, "Lucida Console", "center", 18, "SPIonic", "Center", 18, "SPIonic", "Center", "stretched"},
    {"caacbacaaa", 12, "Arial", "left", 12, "Lucida Console", "Left", 12, "Arial", "Left", "normal"},
};

TEST(FormatCode, ValidCodesDecodeEveryPosition) {
    for (const ValidCase& c : kValid) {
        SCOPED_TRACE(c.code);
        const auto f = knowledge::DecodeFormatCode(c.code);
        ASSERT_TRUE(f.has_value());
        EXPECT_EQ(f->MediaFontSize, c.mediaSize);
        EXPECT_EQ(f->MediaFontName, c.mediaFont);
        EXPECT_EQ(f->MediaAlignText, c.mediaAlign);
        EXPECT_EQ(f->QuestionFontSize, c.questionSize);
        EXPECT_EQ(f->QuestionFontName, c.questionFont);
        EXPECT_EQ(f->QuestionAlign, c.questionAlign);
        EXPECT_EQ(f->AnswerFontSize, c.answerSize);
        EXPECT_EQ(f->AnswerFontName, c.answerFont);
        EXPECT_EQ(f->AnswerAlign, c.answerAlign);
        EXPECT_EQ(f->PictureAspectText, c.aspect);
    }
}

TEST(FormatCode, InvalidLinesAreNoCode) {
    const std::string invalid[] = {
        "FONT", "RESERVED", "", "bbbdcaabb", "bbbdcaabbbb",
        // One letter past its position's set, position by position.
        "fbbdcaabbb", "bcbdcaabbb", "bbcdcaabbb", "bbbfcaabbb", "bbbddaabbb", "bbbdccabbb", "bbbdcafbbb",
        "bbbdcaadbb", "bbbdcaabcb", "bbbdcaabbc",
        // Not letters: digits, a blank, the byte next to 'a', an accented a.
        "1bbdcaabbb", "bbbdcaabb ", "`bbdcaabbb", "\xe1" "bbdcaabbb", std::string("bbbdc\0abbb", 10),
    };
    for (const std::string& line : invalid) {
        EXPECT_FALSE(knowledge::DecodeFormatCode(line).has_value()) << line;
    }
}

FormatDefaultSlots Defaults(const char* media, const char* align, const char* question, const char* answer,
                            const char* aspect) {
    FormatDefaultSlots slots;
    slots[1] = media;
    slots[3] = align;
    slots[4] = question;
    slots[7] = answer;
    slots[10] = aspect;
    // Slots the display does not read.
    slots[2] = "99";
    slots[5] = "99";
    return slots;
}

const FormatDefaultSlots kDefaults = Defaults("10", "center", "14", "18", "stretched");

// What the three boxes get, compared as one value.
struct Look {
    int mediaSize;
    std::string mediaFont, mediaAlign;
    int questionSize;
    std::string questionFont;
    bool questionLeft;
    int answerSize;
    std::string answerFont;
    bool answerLeft;
    std::string aspect;

    bool operator==(const Look&) const = default;
};

void PrintTo(const Look& l, std::ostream* os) {
    *os << "{media " << l.mediaSize << " " << l.mediaFont << " " << l.mediaAlign << "; question "
        << l.questionSize << " " << l.questionFont << (l.questionLeft ? " left" : " centred") << "; answer "
        << l.answerSize << " " << l.answerFont << (l.answerLeft ? " left" : " centred") << "; " << l.aspect << "}";
}

Look LookOf(const FormatDisplay& d) {
    return {d.MediaFontSize,       d.MediaFontName,       d.MediaAlignText,   d.Question.FontSize,
            d.Question.FontName,   d.Question.LeftAligned, d.Answer.FontSize, d.Answer.FontName,
            d.Answer.LeftAligned,  d.PictureAspectText};
}

TEST(FontDecodeAndDisplay, ValidCodeStylesTheBoxesAndSwopExchangesThem) {
    const FormatDisplay plain = knowledge::FontDecodeAndDisplay("bbbdcaabbb", false, kDefaults);
    EXPECT_EQ(LookOf(plain), (Look{10, "Lucida Console", "center", 14, "SPIonic", true, 8, "Lucida Console", false,
                                   "stretched"}));
    ASSERT_TRUE(plain.Decoded.has_value());
    EXPECT_EQ(plain.Decoded->QuestionFontSize, 14);

    // The media box and the picture keep their values.
    const FormatDisplay swopped = knowledge::FontDecodeAndDisplay("bbbdcaabbb", true, kDefaults);
    EXPECT_EQ(LookOf(swopped), (Look{10, "Lucida Console", "center", 8, "Lucida Console", false, 14, "SPIonic", true,
                                     "stretched"}));
    // The decoded state is kept exchanged.
    ASSERT_TRUE(swopped.Decoded.has_value());
    EXPECT_EQ(swopped.Decoded->QuestionFontSize, 8);
    EXPECT_EQ(swopped.Decoded->AnswerAlign, "Left");
}

TEST(FontDecodeAndDisplay, WithoutCodeTheDefaultsApplyWhateverTheSwop) {
    for (const char* line : {"FONT", "RESERVED", "", "fbbdcaabbb", "bcbdcaabbb", "bbbdcaabb"}) {
        for (bool swop : {false, true}) {
            SCOPED_TRACE(std::string(line) + (swop ? " swopped" : ""));
            const FormatDisplay d = knowledge::FontDecodeAndDisplay(line, swop, kDefaults);
            EXPECT_EQ(LookOf(d), (Look{10, "Arial", "center", 14, "Arial", true, 18, "Arial", true, "stretched"}));
            EXPECT_FALSE(d.Decoded.has_value());
        }
    }
}

TEST(FontDecodeAndDisplay, DefaultSlotsAreReadAsTheSettingsWriteThem) {
    struct Case {
        FormatDefaultSlots slots;
        const char* align;
        const char* aspect;
        int media, question, answer;
    };
    const Case cases[] = {
        // Alignment wants "center" exactly; the aspect any case of "stretched".
        {Defaults("8", "Center", "12", "12", "STRETCHED"), "left", "stretched", 8, 12, 12},
        {Defaults("8", "left", "12", "12", "Stretched"), "left", "stretched", 8, 12, 12},
        {Defaults("8", "center ", "12", "12", "stretch"), "left", "normal", 8, 12, 12},
        {Defaults("18", "", "8", "10", "normal"), "left", "normal", 18, 8, 10},
        // Sizes that are no number fall back to those of the default settings.
        {Defaults("", "", "", "", ""), "left", "normal", 10, 12, 12},
        {Defaults("abc", "", "0", "1000", ""), "left", "normal", 10, 12, 12},
        {Defaults("-8", "", " 8", "8 ", ""), "left", "normal", 10, 12, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slots[1] + "/" + c.slots[3] + "/" + c.slots[4] + "/" + c.slots[7] + "/" + c.slots[10]);
        const FormatDisplay d = knowledge::FontDecodeAndDisplay("FONT", false, c.slots);
        EXPECT_EQ(d.MediaAlignText, c.align);
        EXPECT_EQ(d.PictureAspectText, c.aspect);
        EXPECT_EQ(d.MediaFontSize, c.media);
        EXPECT_EQ(d.Question.FontSize, c.question);
        EXPECT_EQ(d.Answer.FontSize, c.answer);
    }
}

}  // namespace
