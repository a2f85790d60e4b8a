#include "knowledge/run_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "platform/random.h"

namespace {

using knowledge::RunChoice;
using knowledge::RunMode;
using knowledge::RunSequence;
using knowledge::RunState;
using knowledge::TickAction;
using Seq = std::vector<uint16_t>;

std::string Media(uint16_t i) { return "m" + std::to_string(i) + ".jpg"; }

// A run as the main window drives it, the controls left out.
class RunDriver {
public:
    RunDriver(RunChoice choice, uint16_t n, uint32_t seed) : choice_(choice), n_(n) {
        plat::SetRandSeed(seed);
        for (uint16_t i = 1; i <= n; ++i) {
            table.QuestionArray[i].MediaLine = Media(i);
        }
        // Stale flags of an earlier run, which Start must not trust.
        state.ShownFlags.fill(true);
        if (choice.Mode == RunMode::Practice && choice.CheckBox1) {
            knowledge::ResetEliminatorStatus(table);
        }
        knowledge::BeginStartStopClick(state);
        if (choice.Mode != RunMode::Learning) {
            state.RunComplete = false;
        }
        knowledge::PickFirstQuestion(state, choice, n);
        shown.push_back(state.Counter);
    }

    knowledge::NextResult Next() {
        const uint16_t left = state.Counter;
        const knowledge::NextResult r = knowledge::NextAction(state, table, choice_, n_);
        CheckLeft(left);
        shown.push_back(state.Counter);
        return r;
    }

    // The answer reveal, then a mark; true when the end screen came up.
    bool RevealAndMark(bool correct) {
        if (choice_.Mode == RunMode::Test) {
            knowledge::LastQuestionTest(state, choice_, n_);
        }
        completeAtReveal.push_back(state.RunComplete);
        knowledge::RecordMark(score, correct);
        const uint16_t left = state.Counter;
        const knowledge::AdvanceResult r = knowledge::AdvanceAfterMark(state, table, choice_, score, n_);
        knowledge::CountAttempt(score);
        CheckLeft(left);
        if (!r.ShowEndScreen) {
            shown.push_back(state.Counter);
        }
        return r.ShowEndScreen;
    }

    knowledge::QuestionTable table;
    RunState state;
    knowledge::Score score;
    Seq shown;                           // Counter after Start and after every step
    std::vector<bool> completeAtReveal;  // RunComplete at each reveal

private:
    void CheckLeft(uint16_t left) {
        EXPECT_EQ(state.ShownMediaName, Media(left));
        EXPECT_GE(state.Counter, 1);
        EXPECT_LE(state.Counter, n_);
    }

    RunChoice choice_;
    uint16_t n_;
};

struct RunCase {
    RunChoice choice;
    uint16_t n;
    uint32_t seed;
};

void PrintTo(const RunCase& c, std::ostream* os) {
    const char* modes[] = {"Learning", "Practice", "Test"};
    *os << modes[static_cast<int>(c.choice.Mode)]
        << (c.choice.Sequence == RunSequence::Random ? " Random" : " Regular")
        << (c.choice.CheckBox1 ? " checked" : "") << " N=" << c.n << " seed=" << c.seed;
}

std::vector<RunCase> Cases(RunChoice choice) {
    std::vector<RunCase> cases;
    for (uint16_t n : {2, 3, 7, 40}) {
        for (uint32_t seed : {0u, 1u, 0xDEADBEEFu}) {
            cases.push_back({choice, n, seed});
        }
    }
    return cases;
}

bool AllDifferent(Seq s) {
    std::sort(s.begin(), s.end());
    return std::adjacent_find(s.begin(), s.end()) == s.end();
}

bool NoneTwiceInARow(const Seq& s) { return std::adjacent_find(s.begin(), s.end()) == s.end(); }

int FlagsSet(const RunState& state, uint16_t n) {
    int count = 0;
    for (uint16_t i = 1; i <= n; ++i) count += state.ShownFlags[i] ? 1 : 0;
    return count;
}

constexpr RunChoice kLearningRegular{RunMode::Learning, RunSequence::Regular, false};
constexpr RunChoice kLearningRandom{RunMode::Learning, RunSequence::Random, false};
constexpr RunChoice kLearningOnceOnly{RunMode::Learning, RunSequence::Random, true};
constexpr RunChoice kPracticeRandom{RunMode::Practice, RunSequence::Random, false};
constexpr RunChoice kEliminator{RunMode::Practice, RunSequence::Random, true};
constexpr RunChoice kTestRegular{RunMode::Test, RunSequence::Regular, false};
constexpr RunChoice kTestRandom{RunMode::Test, RunSequence::Random, false};

class LearningRegular : public ::testing::TestWithParam<RunCase> {};

TEST_P(LearningRegular, NextWalksToTheLastAndBackWalksToTheFirst) {
    const RunCase& c = GetParam();
    RunDriver run(c.choice, c.n, c.seed);
    EXPECT_EQ(run.state.Counter, 1);
    for (uint16_t expected = 2; expected <= c.n; ++expected) {
        EXPECT_EQ(knowledge::TimerTick(knowledge::RunPhase::Running, c.choice, run.state, c.n),
                  TickAction::NextAction);
        const knowledge::NextResult r = run.Next();
        EXPECT_EQ(r.PreviousEnabled, true);
        EXPECT_EQ(r.LastReached, expected == c.n);
        EXPECT_FALSE(r.RunEnds);
        EXPECT_EQ(run.state.Counter, expected);
    }
    // On the last question the tick stops the run; Next stays there.
    EXPECT_EQ(knowledge::TimerTick(knowledge::RunPhase::Running, c.choice, run.state, c.n),
              TickAction::StartStopClick);
    EXPECT_TRUE(run.Next().LastReached);
    EXPECT_EQ(run.state.Counter, c.n);

    for (uint16_t expected = c.n - 1; expected >= 1; --expected) {
        const uint16_t left = run.state.Counter;
        const knowledge::BackResult r = knowledge::BackAction(run.state, run.table);
        EXPECT_EQ(run.state.ShownMediaName, Media(left));
        EXPECT_EQ(r.AtFirst, expected == 1);
        EXPECT_EQ(run.state.Counter, expected);
    }
    EXPECT_TRUE(knowledge::BackAction(run.state, run.table).AtFirst);
    EXPECT_EQ(run.state.Counter, 1);
}

INSTANTIATE_TEST_SUITE_P(Runs, LearningRegular, ::testing::ValuesIn(Cases(kLearningRegular)));

class PlainRandom : public ::testing::TestWithParam<RunCase> {};

TEST_P(PlainRandom, NeverTheSameTwiceInARowAndNeverEnds) {
    const RunCase& c = GetParam();
    RunDriver run(c.choice, c.n, c.seed);
    for (int step = 0; step < 10 * c.n; ++step) {
        if (c.choice.Mode == RunMode::Learning) {
            const knowledge::NextResult r = run.Next();
            EXPECT_EQ(r.PreviousEnabled, false);
            EXPECT_FALSE(r.RunEnds);
            EXPECT_FALSE(r.LastReached);
        } else {
            // Even a run of Correct marks past N goes on until Stop.
            EXPECT_FALSE(run.RevealAndMark(true));
        }
        EXPECT_EQ(run.state.PreviousCounter, run.shown[run.shown.size() - 2]);
    }
    EXPECT_TRUE(NoneTwiceInARow(run.shown));
    EXPECT_EQ(run.state.QuestionsShown, 1);
    EXPECT_FALSE(run.state.RunComplete);
    // Every question comes up in a long enough run.
    EXPECT_EQ(std::set<uint16_t>(run.shown.begin(), run.shown.end()).size(), c.n);
}

INSTANTIATE_TEST_SUITE_P(Learning, PlainRandom, ::testing::ValuesIn(Cases(kLearningRandom)));
INSTANTIATE_TEST_SUITE_P(Practice, PlainRandom, ::testing::ValuesIn(Cases(kPracticeRandom)));

class LearningOnceOnly : public ::testing::TestWithParam<RunCase> {};

TEST_P(LearningOnceOnly, EveryQuestionOnceThenTheRunEnds) {
    const RunCase& c = GetParam();
    RunDriver run(c.choice, c.n, c.seed);
    EXPECT_EQ(FlagsSet(run.state, c.n), 1);
    EXPECT_TRUE(run.state.ShownFlags[run.state.Counter]);
    for (uint16_t step = 1; step < c.n; ++step) {
        const knowledge::NextResult r = run.Next();
        EXPECT_EQ(r.RunEnds, step == c.n - 1) << "step " << step;
        EXPECT_EQ(r.PreviousEnabled, std::nullopt);
        EXPECT_EQ(run.state.QuestionsShown, step + 1);
    }
    EXPECT_EQ(run.shown.size(), c.n);
    EXPECT_TRUE(AllDifferent(run.shown));
    // The list holds the questions left, in order; the last one taken
    // directly carries no flag.
    for (uint16_t k = 1; k < c.n; ++k) {
        EXPECT_EQ(run.state.ShownQuestionList[k], run.shown[k - 1]);
    }
    EXPECT_EQ(FlagsSet(run.state, c.n), c.n - 1);
    EXPECT_FALSE(run.state.ShownFlags[run.state.Counter]);
    // The "&End" that follows is the window's: the tick performs Next.
    EXPECT_EQ(knowledge::TimerTick(knowledge::RunPhase::Ended, c.choice, run.state, c.n), TickAction::NextAction);
}

INSTANTIATE_TEST_SUITE_P(Runs, LearningOnceOnly, ::testing::ValuesIn(Cases(kLearningOnceOnly)));

class Eliminator : public ::testing::TestWithParam<RunCase> {};

TEST_P(Eliminator, QuestionsGoOnceAnsweredCorrectAndTheLastRepeats) {
    const RunCase& c = GetParam();
    RunDriver run(c.choice, c.n, c.seed);
    // Incorrect the first time a question comes, Correct the second; the
    // last one left is marked Incorrect once more and must come straight
    // back.
    std::vector<int> asked(c.n + 1, 0);
    std::set<uint16_t> correct;
    bool lastOneMissed = false;
    bool ended = false;
    for (int step = 0; step < 100000 && !ended; ++step) {
        const uint16_t q = run.state.Counter;
        ASSERT_EQ(correct.count(q), 0u) << "question " << q << " came back after a Correct mark";
        const bool lastOne = correct.size() + 1 == c.n;
        bool markCorrect = ++asked[q] >= 2;
        if (lastOne && !lastOneMissed) {
            markCorrect = false;
            lastOneMissed = true;
        }
        if (markCorrect) correct.insert(q);
        ended = run.RevealAndMark(markCorrect);
        if (ended) break;
        if (lastOne) {
            EXPECT_EQ(run.state.Counter, q);
        } else if (correct.size() + 1 < c.n) {
            EXPECT_NE(run.state.Counter, q);
        }
    }
    ASSERT_TRUE(ended);
    EXPECT_TRUE(lastOneMissed);
    EXPECT_EQ(correct.size(), c.n);
    EXPECT_EQ(run.score.CorrectCount, c.n);
    EXPECT_TRUE(run.state.RunComplete);
    EXPECT_EQ(knowledge::EndScreenCaption(c.choice.Mode), std::string("End of Practice"));
    for (uint16_t i = 1; i <= c.n; ++i) {
        EXPECT_EQ(run.table.QuestionArray[i].EliminatorStatus, "correct");
    }
    // Rows above the topic keep "nothing".
    EXPECT_EQ(run.table.QuestionArray[c.n + 1].EliminatorStatus, "nothing");
    EXPECT_EQ(knowledge::TimerTick(knowledge::RunPhase::Ended, c.choice, run.state, c.n), TickAction::StopTimer);
}

INSTANTIATE_TEST_SUITE_P(Runs, Eliminator, ::testing::ValuesIn(Cases(kEliminator)));

class TestRun : public ::testing::TestWithParam<RunCase> {};

TEST_P(TestRun, AsksEveryQuestionOnceThenShowsTheEnd) {
    const RunCase& c = GetParam();
    RunDriver run(c.choice, c.n, c.seed);
    const bool random = c.choice.Sequence == RunSequence::Random;
    EXPECT_EQ(FlagsSet(run.state, c.n), random ? 1 : c.n);  // Regular leaves the stale flags
    int marks = 0;
    bool ended = false;
    while (!ended && marks < c.n + 5) {
        EXPECT_EQ(knowledge::TimerTick(knowledge::RunPhase::Running, c.choice, run.state, c.n),
                  TickAction::RevealAnswer);
        ended = run.RevealAndMark(marks % 2 == 0);
        ++marks;
    }
    ASSERT_TRUE(ended);
    EXPECT_EQ(marks, c.n);
    EXPECT_EQ(run.shown.size(), c.n);
    EXPECT_TRUE(AllDifferent(run.shown));
    if (!random) {
        for (uint16_t i = 1; i <= c.n; ++i) EXPECT_EQ(run.shown[i - 1], i);
    }
    // Complete at the reveal of the N-th question, not before.
    std::vector<bool> expected(c.n, false);
    expected.back() = true;
    EXPECT_EQ(run.completeAtReveal, expected);
    EXPECT_EQ(run.score.AttemptedCount, c.n);
    EXPECT_EQ(knowledge::EndScreenCaption(c.choice.Mode), std::string("End of Test"));
    // A tick while the end screen is up reveals nothing.
    EXPECT_EQ(knowledge::TimerTick(knowledge::RunPhase::Ended, c.choice, run.state, c.n), TickAction::StopTimer);
}

INSTANTIATE_TEST_SUITE_P(Regular, TestRun, ::testing::ValuesIn(Cases(kTestRegular)));
INSTANTIATE_TEST_SUITE_P(Random, TestRun, ::testing::ValuesIn(Cases(kTestRandom)));

TEST(RunOrder, TwoQuestionsOnceOnlyEndsAtTheFirstNext) {
    RunDriver run(kLearningOnceOnly, 2, 7);
    const uint16_t first = run.state.Counter;
    const knowledge::NextResult r = run.Next();
    EXPECT_TRUE(r.RunEnds);
    EXPECT_EQ(run.state.Counter, 3 - first);
}

TEST(RunOrder, FirstQuestionByMode) {
    struct Case {
        RunChoice choice;
        bool drawn;
        bool flags;  // ShownFlags rebuilt: one set
    };
    const Case cases[] = {
        {kLearningRegular, false, false}, {kLearningRandom, true, false}, {kLearningOnceOnly, true, true},
        {kPracticeRandom, true, false},   {kEliminator, true, false},     {kTestRegular, false, false},
        {kTestRandom, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(RunCase{c.choice, 50, 0}));
        // A seed whose first draw from 50 is not 1.
        plat::SetRandSeed(123456789);
        const uint16_t expectedDraw = knowledge::RandomQuestion(50);
        ASSERT_NE(expectedDraw, 1);
        plat::SetRandSeed(123456789);
        RunState state;
        state.ShownFlags.fill(true);
        state.Counter = 9;
        state.QuestionsShown = 9;
        knowledge::BeginStartStopClick(state);
        EXPECT_EQ(state.QuestionsShown, 1);
        knowledge::PickFirstQuestion(state, c.choice, 50);
        EXPECT_EQ(state.Counter, c.drawn ? expectedDraw : 1);
        EXPECT_EQ(FlagsSet(state, 50), c.flags ? 1 : 50);
        EXPECT_TRUE(state.ShownFlags[state.Counter]);
        // Rows above the topic are not touched.
        EXPECT_TRUE(state.ShownFlags[51]);
    }
}

TEST(RunOrder, ModeAndSequenceTexts) {
    EXPECT_EQ(knowledge::ModeFromText("Practice"), RunMode::Practice);
    EXPECT_EQ(knowledge::ModeFromText("Test"), RunMode::Test);
    EXPECT_EQ(knowledge::ModeFromText("Learning"), RunMode::Learning);
    EXPECT_EQ(knowledge::ModeFromText(""), RunMode::Learning);
    EXPECT_EQ(knowledge::SequenceFromText("Random"), RunSequence::Random);
    EXPECT_EQ(knowledge::SequenceFromText("Regular"), RunSequence::Regular);
    EXPECT_EQ(knowledge::SequenceFromText(""), RunSequence::Regular);
    EXPECT_EQ(knowledge::RunPhaseOf("&Start"), knowledge::RunPhase::Idle);
    EXPECT_EQ(knowledge::RunPhaseOf("&Stop"), knowledge::RunPhase::Running);
    EXPECT_EQ(knowledge::RunPhaseOf("&Reset"), knowledge::RunPhase::Ended);
}

TEST(RunOrder, TickOutsideARunOnlyStopsTheTimer) {
    RunState state;
    for (const RunChoice& choice : {kLearningRegular, kLearningOnceOnly, kPracticeRandom, kTestRegular}) {
        EXPECT_EQ(knowledge::TimerTick(knowledge::RunPhase::Idle, choice, state, 5), TickAction::StopTimer);
    }
}

TEST(RunOrder, NumberCaptions) {
    EXPECT_EQ(knowledge::NumberCaption("7", 25), "7  of  25");
    EXPECT_EQ(knowledge::IdleNumberCaption(25), "0  of  25");
}

// The draws must end and stay inside the table whatever the counts say.
TEST(RunOrderGuards, DrawsWithTooFewQuestionsDoNotLoop) {
    EXPECT_EQ(knowledge::DrawOtherThan(1, 1), 1);
    EXPECT_EQ(knowledge::DrawOtherThan(1, 0), 1);
    EXPECT_EQ(knowledge::RandomQuestion(0), 1);
    for (const RunChoice& choice : {kLearningRandom, kPracticeRandom, kEliminator}) {
        RunDriver run(choice, 1, 3);
        EXPECT_EQ(run.state.Counter, 1);
        if (choice.Mode == RunMode::Learning) {
            run.Next();
        } else {
            run.RevealAndMark(false);
        }
        EXPECT_EQ(run.state.Counter, 1);
    }
    RunState state;
    knowledge::PickFirstQuestion(state, kTestRandom, 0);
    EXPECT_EQ(state.Counter, 1);
}

TEST(RunOrderGuards, EliminatorWhoseCountDisagreesWithTheTableEnds) {
    knowledge::QuestionTable table;
    knowledge::ResetEliminatorStatus(table);
    for (uint16_t i = 1; i <= 4; ++i) table.QuestionArray[i].EliminatorStatus = "correct";
    knowledge::Score score;  // no Correct mark counted
    RunState state;
    state.Counter = 5;
    // Only the question just left is not yet correct: it comes again.
    EXPECT_FALSE(knowledge::AdvanceAfterMark(state, table, kEliminator, score, 5).ShowEndScreen);
    EXPECT_EQ(state.Counter, 5);
    // Nothing left at all: the run is over.
    score.LastAnswerCorrect = true;
    EXPECT_TRUE(knowledge::AdvanceAfterMark(state, table, kEliminator, score, 5).ShowEndScreen);
}

TEST(RunOrderGuards, NoRepeatDrawStaysInsideTheLists) {
    // A Test run of 1000 whose marks go on past the end screen.
    RunDriver run(kTestRandom, 1000, 42);
    bool ended = false;
    int marks = 0;
    while (!ended) {
        ASSERT_LT(marks, 2000) << "no end screen after " << marks << " marks";
        ended = run.RevealAndMark(true);
        ++marks;
    }
    EXPECT_EQ(marks, 1000);
    EXPECT_TRUE(AllDifferent(run.shown));
    EXPECT_EQ(run.state.QuestionsShown, 1001);
    for (int extra = 0; extra < 3; ++extra) {
        EXPECT_NO_THROW(EXPECT_TRUE(run.RevealAndMark(true)));
    }
    EXPECT_EQ(run.state.ShownQuestionList[1000], run.shown.back());

    // A count at its top does not wrap back to the start of the list.
    RunState state;
    state.QuestionsShown = 65535;
    state.Counter = 3;
    EXPECT_TRUE(knowledge::NoRepeatDraw(state, 5));
    EXPECT_EQ(state.QuestionsShown, 65535);
}

}  // namespace
