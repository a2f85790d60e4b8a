#include "knowledge/score.h"

#include <cmath>
#include <limits>

#include "knowledge/colour_table.h"

namespace knowledge {

namespace {

void SaturatingIncrement(uint16_t& count) {
    if (count != std::numeric_limits<uint16_t>::max()) {
        ++count;
    }
}

}  // namespace

int RoundHalfEven(long double value) {
    const long double floor = std::floor(value);
    const long double fraction = value - floor;
    long double result = floor;
    if (fraction > 0.5L) {
        result = floor + 1;
    } else if (fraction == 0.5L && std::fmod(floor, 2.0L) != 0) {
        result = floor + 1;
    }
    return static_cast<int>(result);
}

uint32_t GaugeBarColour(int percent, const std::array<uint8_t, 4>& thresholds) {
    if (percent >= thresholds[0]) return clLime;
    if (percent >= thresholds[1]) return clGreen;
    if (percent >= thresholds[2]) return clMoneyGreen;
    if (percent >= thresholds[3]) return clYellow;
    return clRed;
}

void RecordMark(Score& score, bool correct) {
    SaturatingIncrement(correct ? score.CorrectCount : score.IncorrectCount);
    score.LastAnswerCorrect = correct;
}

int CountAttempt(Score& score) {
    SaturatingIncrement(score.AttemptedCount);
    // Divide first, then scale, in extended precision: the order decides
    // which side of a half a result such as 59 of 200 falls.
    score.ScorePercent = static_cast<long double>(score.CorrectCount) / score.AttemptedCount * 100;
    return RoundHalfEven(score.ScorePercent);
}

void ResetScore(Score& score) {
    score.CorrectCount = 0;
    score.IncorrectCount = 0;
    score.AttemptedCount = 0;
}

}  // namespace knowledge
