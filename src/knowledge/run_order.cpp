#include "knowledge/run_order.h"

#include <algorithm>
#include <limits>

#include "platform/random.h"

namespace knowledge {

namespace {

uint16_t TableSize(uint16_t n) { return std::min(n, kMaxQuestions); }

bool IsCorrect(const QuestionTable& table, uint16_t i) {
    return table.QuestionArray[i].EliminatorStatus == kEliminatorCorrect;
}

// The lowest question from 1 to N not yet answered Correct; 0 when none.
uint16_t LowestNotCorrect(const QuestionTable& table, uint16_t n) {
    for (uint16_t i = 1; i <= TableSize(n); ++i) {
        if (!IsCorrect(table, i)) {
            return i;
        }
    }
    return 0;
}

// The Eliminator's next question after the one just left.
void EliminatorNext(RunState& run, const QuestionTable& table, const Score& score, uint16_t n) {
    if (score.CorrectCount == n) {
        run.RunComplete = true;
        return;
    }
    if (score.CorrectCount + 1 < n) {
        // The count of Correct marks stands for the questions answered
        // Correct; should the two ever disagree, draw only when a question
        // to draw exists, so the loop always ends.
        bool candidateExists = false;
        for (uint16_t i = 1; i <= TableSize(n) && !candidateExists; ++i) {
            candidateExists = i != run.PreviousCounter && !IsCorrect(table, i);
        }
        if (candidateExists) {
            uint16_t draw;
            do {
                draw = RandomQuestion(TableSize(n));
            } while (draw == run.PreviousCounter || IsCorrect(table, draw));
            run.Counter = draw;
            return;
        }
    }
    // The only one left, which may be the question just marked Incorrect.
    const uint16_t last = LowestNotCorrect(table, n);
    if (last == 0) {
        run.RunComplete = true;
    } else {
        run.Counter = last;
    }
}

}  // namespace

RunMode ModeFromText(const std::string& text) {
    if (text == "Practice") {
        return RunMode::Practice;
    }
    if (text == "Test") {
        return RunMode::Test;
    }
    return RunMode::Learning;
}

RunSequence SequenceFromText(const std::string& text) {
    return text == "Random" ? RunSequence::Random : RunSequence::Regular;
}

RunPhase RunPhaseOf(const std::string& startStopCaption) {
    if (startStopCaption == kCaptionStop) {
        return RunPhase::Running;
    }
    if (startStopCaption == kCaptionReset) {
        return RunPhase::Ended;
    }
    return RunPhase::Idle;
}

uint16_t RandomQuestion(uint16_t n) { return static_cast<uint16_t>(plat::Random(n) + 1); }

uint16_t DrawOtherThan(uint16_t previous, uint16_t n) {
    if (n < 2) {
        return 1;
    }
    uint16_t draw;
    do {
        draw = RandomQuestion(n);
    } while (draw == previous);
    return draw;
}

void BeginStartStopClick(RunState& run) {
    run.QuestionsShown = 1;
    run.Counter = 1;
}

void PickFirstQuestion(RunState& run, const RunChoice& choice, uint16_t n) {
    if (choice.Sequence != RunSequence::Random) {
        return;
    }
    run.Counter = RandomQuestion(TableSize(n));
    if (choice.Mode == RunMode::Test || (choice.Mode == RunMode::Learning && choice.CheckBox1)) {
        for (uint16_t i = 1; i <= TableSize(n); ++i) {
            run.ShownFlags[i] = false;
        }
        run.ShownFlags[run.Counter] = true;
    }
}

bool NoRepeatDraw(RunState& run, uint16_t n) {
    const uint16_t size = TableSize(n);
    if (run.QuestionsShown >= 1 && run.QuestionsShown <= kMaxQuestions) {
        run.ShownQuestionList[run.QuestionsShown] = run.Counter;
    }
    const uint16_t listed = std::min(run.QuestionsShown, kMaxQuestions);

    // Fewer entries than questions less one are listed here, so at least
    // two questions are left to draw and the loop below ends.
    const bool takeLast = run.QuestionsShown + 1 >= size;
    if (takeLast) {
        for (uint16_t i = 1; i <= size; ++i) {
            if (!run.ShownFlags[i]) {
                run.Counter = i;
                break;
            }
        }
    } else {
        bool repeated;
        uint16_t candidate;
        do {
            candidate = RandomQuestion(size);
            repeated = false;
            for (uint16_t k = 1; k <= listed; ++k) {
                if (run.ShownQuestionList[k] == candidate) {
                    repeated = true;
                    break;
                }
            }
        } while (repeated);
        run.Counter = candidate;
        run.ShownFlags[candidate] = true;
    }
    if (run.QuestionsShown != std::numeric_limits<uint16_t>::max()) {
        ++run.QuestionsShown;
    }
    return takeLast;
}

NextResult NextAction(RunState& run, const QuestionTable& table, const RunChoice& choice, uint16_t n) {
    NextResult result;
    run.ShownMediaName = table.QuestionArray[run.Counter].MediaLine;
    if (choice.Sequence != RunSequence::Random) {
        result.PreviousEnabled = true;
        if (run.Counter < n) {
            ++run.Counter;
        }
        result.LastReached = run.Counter == n;
    } else if (choice.CheckBox1) {
        result.RunEnds = NoRepeatDraw(run, n);
    } else {
        result.PreviousEnabled = false;
        run.PreviousCounter = run.Counter;
        run.Counter = DrawOtherThan(run.PreviousCounter, TableSize(n));
    }
    return result;
}

BackResult BackAction(RunState& run, const QuestionTable& table) {
    run.ShownMediaName = table.QuestionArray[run.Counter].MediaLine;
    if (run.Counter > 1) {
        --run.Counter;
    }
    return BackResult{run.Counter == 1};
}

bool IsLastQuestion(const RunState& run, const RunChoice& choice, uint16_t n) {
    if (choice.Mode != RunMode::Test) {
        return false;
    }
    return choice.Sequence == RunSequence::Regular ? run.Counter == n : run.QuestionsShown == n;
}

void LastQuestionTest(RunState& run, const RunChoice& choice, uint16_t n) {
    if (IsLastQuestion(run, choice, n)) {
        run.RunComplete = true;
    }
}

AdvanceResult AdvanceAfterMark(RunState& run, QuestionTable& table, const RunChoice& choice,
                               const Score& score, uint16_t n) {
    run.ShownMediaName = table.QuestionArray[run.Counter].MediaLine;
    const bool test = choice.Mode == RunMode::Test;
    const bool eliminator = !test && choice.CheckBox1;
    if (test) {
        if (choice.Sequence == RunSequence::Regular) {
            if (run.Counter < n) {
                ++run.Counter;
            }
        } else {
            NoRepeatDraw(run, n);
        }
    } else if (eliminator) {
        run.PreviousCounter = run.Counter;
        if (score.LastAnswerCorrect) {
            table.QuestionArray[run.Counter].EliminatorStatus = kEliminatorCorrect;
        }
        EliminatorNext(run, table, score, n);
    } else {
        run.PreviousCounter = run.Counter;
        run.Counter = DrawOtherThan(run.PreviousCounter, TableSize(n));
    }
    return AdvanceResult{(test || eliminator) && run.RunComplete};
}

const char* EndScreenCaption(RunMode mode) { return mode == RunMode::Test ? kEndOfTest : kEndOfPractice; }

TickAction TimerTick(RunPhase phase, const RunChoice& choice, const RunState& run, uint16_t n) {
    if (phase == RunPhase::Idle) {
        return TickAction::StopTimer;
    }
    if (choice.Mode == RunMode::Learning) {
        if (choice.Sequence == RunSequence::Regular && run.Counter == n) {
            return TickAction::StartStopClick;
        }
        return TickAction::NextAction;
    }
    // The end screen of a Practice or Test run has no answer to reveal.
    return phase == RunPhase::Ended ? TickAction::StopTimer : TickAction::RevealAnswer;
}

std::string NumberCaption(const std::string& questionLabel, uint16_t n) {
    return questionLabel + "  of  " + std::to_string(n);
}

std::string IdleNumberCaption(uint16_t totalQuestions) { return "0  of  " + std::to_string(totalQuestions); }

}  // namespace knowledge
