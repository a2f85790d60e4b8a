// Which question a run shows next, and when the run is over.
//
// The main window's unit state holds a RunState (as a base or a member, so
// Counter, ShownFlags and the rest read as every handler uses them); N, the
// questions loaded, stays the unit's NumberOfQuestions and is passed in.
// Each function below is one step of a handler; the window does the
// controls around it:
//   Start/Stop click: BeginStartStopClick first; at Start, RunComplete :=
//     false in Practice and Test, then PickFirstQuestion.
//   Next (BtnNextClick): when BtnNext reads "&End", the window resets the
//     run itself; otherwise NextAction, then it applies the NextResult and
//     shows question Counter.
//   Back (BtnPreviousClick): BackAction, then shows question Counter.
//   Answer reveal: the window enables the marks and shows the answer; in
//     Test it then calls LastQuestionTest.
//   A mark: the score is counted (score.h), the window hides the answer,
//     then AdvanceAfterMark; then the end screen, or question Counter and
//     the timer re-armed under automatic advance; then the score labels.
//   The automatic-advance tick: TimerTick says what to perform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "knowledge/question_table.h"
#include "knowledge/score.h"

namespace knowledge {

enum class RunMode { Learning, Practice, Test };
enum class RunSequence { Regular, Random };

// The texts of the mode and sequence lists: "Practice" and "Test" are
// themselves, any other mode is Learning; "Random" is Random, any other
// sequence Regular.
RunMode ModeFromText(const std::string& text);
RunSequence SequenceFromText(const std::string& text);

struct RunChoice {
    RunMode Mode = RunMode::Learning;
    RunSequence Sequence = RunSequence::Regular;
    // CheckBox1: each question once only (Learning), the Eliminator
    // (Practice); unchecked and disabled otherwise.
    bool CheckBox1 = false;
};

struct RunState {
    uint16_t Counter = 1;          // the question on display, 1 to N
    uint16_t PreviousCounter = 0;  // the question just left
    uint16_t QuestionsShown = 1;   // in this run, the one on display included
    // Entries 1 to QuestionsShown - 1: the questions shown before the one
    // on display, in order (no-repeat runs).
    OneBased<uint16_t, kMaxQuestions> ShownQuestionList;
    OneBased<bool, kMaxQuestions> ShownFlags;
    bool RunComplete = false;
    // The media line of the question just left: the display reloads the
    // media only when the new question's differs.
    std::string ShownMediaName;
};

// Captions of BtnStartStop, which are the run state, and of BtnNext.
inline constexpr const char* kCaptionStart = "&Start";
inline constexpr const char* kCaptionStop = "&Stop";
inline constexpr const char* kCaptionReset = "&Reset";
inline constexpr const char* kCaptionNext = "&Next";
inline constexpr const char* kCaptionEnd = "&End";

enum class RunPhase { Idle, Running, Ended };
// "&Stop" is Running, "&Reset" Ended, anything else Idle.
RunPhase RunPhaseOf(const std::string& startStopCaption);

// The random draws need two questions; a Start that loads fewer (the file
// changed since its scan) should be reported rather than run.
inline constexpr uint16_t kMinRunQuestions = 2;

// A uniform draw from 1 to n with the program's generator; 1 for n = 0.
uint16_t RandomQuestion(uint16_t n);

// Draws until the draw differs from `previous`. With fewer than two
// questions there is no other one to find, and the lowest question that is
// not `previous` (or 1) is returned without drawing.
uint16_t DrawOtherThan(uint16_t previous, uint16_t n);

// Every click of BtnStartStop: QuestionsShown := 1, Counter := 1.
void BeginStartStopClick(RunState& run);

// Start, the first question: in Random, Counter := a draw; then in Test,
// or Learning once-only, ShownFlags cleared for 1 to N and set for Counter.
// Regular leaves Counter at 1; Practice sets no flags.
void PickFirstQuestion(RunState& run, const RunChoice& choice, uint16_t n);

// The no-repeat draw (once-only Learning, Test Random). Records the
// question being left in ShownQuestionList; while two or more questions are
// unshown, draws one not yet in the list and sets its flag; otherwise takes
// the lowest unflagged question without setting its flag and returns true.
// QuestionsShown then grows by one (it stops at 65535; entries beyond 1000
// are not written).
bool NoRepeatDraw(RunState& run, uint16_t n);

struct NextResult {
    // BtnPrevious: enabled in Regular, disabled in plain Random, left as it
    // is in once-only runs.
    std::optional<bool> PreviousEnabled;
    // Regular, Counter = N now: BtnNext disabled, the focus to BtnPrevious.
    bool LastReached = false;
    // Once-only, the last unshown question taken: BtnStartStop reads
    // "&Reset" and BtnNext "&End".
    bool RunEnds = false;
};

// The Next action after its "&End" test: ShownMediaName, then the next
// question by sequence and variant.
NextResult NextAction(RunState& run, const QuestionTable& table, const RunChoice& choice, uint16_t n);

struct BackResult {
    // Counter = 1 now: BtnPrevious disabled, the focus to BtnNext. BtnNext
    // is enabled in every case.
    bool AtFirst = false;
};

// The Back action: ShownMediaName, then Counter - 1 down to 1.
BackResult BackAction(RunState& run, const QuestionTable& table);

// Test only: the question on display is the last (Counter = N in Regular,
// QuestionsShown = N otherwise).
bool IsLastQuestion(const RunState& run, const RunChoice& choice, uint16_t n);
// Sets RunComplete when IsLastQuestion; run by the answer reveal in Test.
void LastQuestionTest(RunState& run, const RunChoice& choice, uint16_t n);

struct AdvanceResult {
    // The end screen instead of a question: "End of Test" or "End of
    // Practice" (EndScreenCaption), "Thank You!", "&Reset" focused.
    bool ShowEndScreen = false;
};

// The advance after a mark (Practice and Test), steps after the answer is
// hidden: ShownMediaName, the next question by mode, sequence and variant,
// and whether the run ends here. `score` holds the mark already counted.
// The Eliminator marks the question left "correct" on a Correct mark.
AdvanceResult AdvanceAfterMark(RunState& run, QuestionTable& table, const RunChoice& choice,
                               const Score& score, uint16_t n);

inline constexpr const char* kEndOfTest = "End of Test";
inline constexpr const char* kEndOfPractice = "End of Practice";
inline constexpr const char* kThankYou = "Thank You!";
const char* EndScreenCaption(RunMode mode);

enum class TickAction {
    StopTimer,       // no run to advance: the timer is turned off
    StartStopClick,  // Learning, Regular, on question N: the run stops
    NextAction,      // Learning: the Next action (also "&End" in once-only)
    RevealAnswer,    // Practice and Test: timer off, then the answer reveal
};

// The automatic-advance tick. Outside a run, and while the end screen of a
// Practice or Test run is up, the tick only stops the timer.
TickAction TimerTick(RunPhase phase, const RunChoice& choice, const RunState& run, uint16_t n);

// PnlNumber: label + "  of  " + N while a question is shown, "0  of  " +
// the total while idle and on the end screen.
std::string NumberCaption(const std::string& questionLabel, uint16_t n);
std::string IdleNumberCaption(uint16_t totalQuestions);

}  // namespace knowledge
