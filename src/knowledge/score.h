#pragma once

#include <array>
#include <cstdint>

namespace knowledge {

// The score of a Practice or Test run; the main window's unit state
// inherits it.
struct Score {
    uint16_t CorrectCount = 0;
    uint16_t IncorrectCount = 0;
    uint16_t AttemptedCount = 0;
    long double ScorePercent = 0;
    bool LastAnswerCorrect = false;
};

// Lower bounds of the gauge's colour bands, in the order they are tried.
inline constexpr std::array<uint8_t, 4> kGaugeThresholds{80, 60, 40, 20};

// Nearest integer, a half going to the even neighbour (12.5 gives 12).
int RoundHalfEven(long double value);

// The gauge bar colour ($00BBGGRR) for a rounded percentage: Lime, Green,
// Green (light), Yellow from the highest band down, Red below the last.
uint32_t GaugeBarColour(int percent, const std::array<uint8_t, 4>& thresholds);

// A mark: raises CorrectCount or IncorrectCount and remembers its kind.
// Counts stop at 65535 rather than wrap, so the score stays within
// 0 to 100 % in an endless run.
void RecordMark(Score& score, bool correct);

// Counts the attempt after a mark, recomputes ScorePercent and returns it
// rounded. AttemptedCount stops at 65535, so it is never zero here.
int CountAttempt(Score& score);

// Zeroes the three counts; ScorePercent and LastAnswerCorrect are left, as
// the next mark sets them again.
void ResetScore(Score& score);

}  // namespace knowledge
