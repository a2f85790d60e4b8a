#include "knowledge/score.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "knowledge/colour_table.h"

namespace {

using knowledge::kGaugeThresholds;

// Runs the marks in order ('C' correct, 'I' incorrect) as the mark buttons
// do, and returns the rounded percentage of the last.
int Mark(knowledge::Score& score, const std::string& marks) {
    int percent = -1;
    for (char m : marks) {
        knowledge::RecordMark(score, m == 'C');
        percent = knowledge::CountAttempt(score);
    }
    return percent;
}

TEST(Score, MarkSequences) {
    struct Case {
        const char* marks;
        uint16_t correct, incorrect;
        int percent;
        uint32_t colour;
    };
    const Case cases[] = {
        {"C", 1, 0, 100, knowledge::clLime},
        {"I", 0, 1, 0, knowledge::clRed},
        {"CI", 1, 1, 50, knowledge::clMoneyGreen},
        {"CCCI", 3, 1, 75, knowledge::clGreen},
        {"CCCCI", 4, 1, 80, knowledge::clLime},
        {"CIIII", 1, 4, 20, knowledge::clYellow},
        {"CIIIII", 1, 5, 17, knowledge::clRed},
        {"CCCII", 3, 2, 60, knowledge::clGreen},
        {"CCIII", 2, 3, 40, knowledge::clMoneyGreen},
        // Halves go to the even neighbour.
        {"CIIIIIII", 1, 7, 12, knowledge::clRed},
        {"CCCIIIII", 3, 5, 38, knowledge::clYellow},
        {"CCCCCIII", 5, 3, 62, knowledge::clGreen},
        {"CCCCCCCI", 7, 1, 88, knowledge::clLime},
        {"CCI", 2, 1, 67, knowledge::clGreen},
        // The order of the marks does not matter, only the counts.
        {"IIIIIIIC", 1, 7, 12, knowledge::clRed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marks);
        knowledge::Score score;
        const int percent = Mark(score, c.marks);
        EXPECT_EQ(score.CorrectCount, c.correct);
        EXPECT_EQ(score.IncorrectCount, c.incorrect);
        EXPECT_EQ(score.AttemptedCount, c.correct + c.incorrect);
        EXPECT_EQ(percent, c.percent);
        EXPECT_EQ(knowledge::GaugeBarColour(percent, kGaugeThresholds), c.colour);
        EXPECT_EQ(score.LastAnswerCorrect, std::string(c.marks).back() == 'C');
    }
}

TEST(Score, ResetZeroesTheCountsForTheNextRun) {
    knowledge::Score score;
    Mark(score, "CCI");
    knowledge::ResetScore(score);
    EXPECT_EQ(score.CorrectCount, 0);
    EXPECT_EQ(score.IncorrectCount, 0);
    EXPECT_EQ(score.AttemptedCount, 0);
    EXPECT_EQ(Mark(score, "I"), 0);
    EXPECT_EQ(score.AttemptedCount, 1);
}

// Past 65535 marks the counts stop instead of wrapping, so the attempts
// never read zero and the score stays within 0 to 100.
TEST(Score, CountsStopAtTheirLimit) {
    struct Case {
        const char* name;
        uint16_t correct, incorrect, attempted;
        char mark;
        uint16_t correctAfter, incorrectAfter;
        int percent;
    };
    const Case cases[] = {
        {"all correct", 65535, 0, 65535, 'C', 65535, 0, 100},
        {"all incorrect", 0, 65535, 65535, 'I', 0, 65535, 0},
        {"half and half", 32768, 32767, 65535, 'I', 32768, 32768, 50},
        {"last free attempt", 65534, 0, 65534, 'C', 65535, 0, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        knowledge::Score score;
        score.CorrectCount = c.correct;
        score.IncorrectCount = c.incorrect;
        score.AttemptedCount = c.attempted;
        const int percent = Mark(score, std::string(1, c.mark));
        EXPECT_EQ(score.AttemptedCount, 65535);
        EXPECT_EQ(score.CorrectCount, c.correctAfter);
        EXPECT_EQ(score.IncorrectCount, c.incorrectAfter);
        EXPECT_TRUE(std::isfinite(score.ScorePercent));
        EXPECT_EQ(percent, c.percent);
    }
}

// The percentage is the quotient scaled by 100 in extended precision:
// 59 of 200 lands just below 29.5 and shows 29, where scaling first would
// give exactly 29.5 and show 30.
TEST(Score, QuotientIsScaledAfterDividing) {
    knowledge::Score score;
    score.CorrectCount = 58;
    score.IncorrectCount = 141;
    score.AttemptedCount = 199;
    EXPECT_EQ(Mark(score, "C"), 29);
    EXPECT_LT(score.ScorePercent, 29.5L);
}

TEST(RoundHalfEven, Table) {
    struct Case {
        long double value;
        int rounded;
    };
    const Case cases[] = {
        {0.0L, 0},   {0.5L, 0},     {1.5L, 2},    {2.5L, 2},         {12.5L, 12},
        {37.5L, 38}, {62.5L, 62},   {87.5L, 88},  {99.5L, 100},      {100.0L, 100},
        {0.49L, 0},  {12.51L, 13},  {2.4999999L, 2}, {16.666666L, 17}, {-2.5L, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.value));
        EXPECT_EQ(knowledge::RoundHalfEven(c.value), c.rounded);
    }
}

TEST(GaugeBarColour, BandEdges) {
    struct Case {
        int percent;
        uint32_t colour;
    };
    const Case cases[] = {
        {100, knowledge::clLime},      {80, knowledge::clLime},   {79, knowledge::clGreen},
        {60, knowledge::clGreen},      {59, knowledge::clMoneyGreen}, {40, knowledge::clMoneyGreen},
        {39, knowledge::clYellow},     {20, knowledge::clYellow}, {19, knowledge::clRed},
        {0, knowledge::clRed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(knowledge::GaugeBarColour(c.percent, kGaugeThresholds), c.colour);
    }
}

// A creation that ended early leaves the thresholds at zero: every score
// then draws in the top band.
TEST(GaugeBarColour, ZeroThresholdsGiveTheTopBand) {
    const std::array<uint8_t, 4> zero{};
    EXPECT_EQ(knowledge::GaugeBarColour(0, zero), knowledge::clLime);
    EXPECT_EQ(knowledge::GaugeBarColour(55, zero), knowledge::clLime);
}

}  // namespace
