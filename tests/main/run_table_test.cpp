// Every row of the run-order table, from Start to the end of its run: how
// the next question is chosen, when the run ends, and the window after it.
#include <set>

#include "main/run_support.h"
#include "platform/random.h"

namespace tovrek_test {
namespace {

constexpr int kQuestions = 5;

struct RowCase {
  const char* name;
  const char* mode;
  const char* sequence;
  bool variant;
  // Steps (a Next, or a reveal and a Correct mark) that end the run; 0:
  // the run goes on until Stop.
  int stepsToEnd;
  bool backVisible;
  bool noRepeats;  // every question shown at most once
  const char* endCaption;  // the question panel at the end; nullptr: idle again
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class RunTableTest : public RunTest, public ::testing::WithParamInterface<RowCase> {
 protected:
  bool Marking() const { return std::string(GetParam().mode) != "Learning"; }
  void Step() {
    if (Marking()) {
      ShowAnswer();
      MarkCorrect();
    } else {
      ClickNext();
    }
  }
};

TEST_P(RunTableTest, RunsFromStartToItsEnd) {
  const RowCase& c = GetParam();
  Prepare(SimpleTopic(kQuestions), c.mode, c.sequence, c.variant);
  tovrek::TForm1& f = F1();
  plat::SetRandSeed(2026);
  EXPECT_EQ(f.BtnPrevious->Visible(), c.backVisible);
  ClickStart();
  ASSERT_EQ(StartCaption(), "&Stop");

  std::vector<std::string> shown{Label()};
  const int steps = c.stepsToEnd != 0 ? c.stepsToEnd : 3 * kQuestions;
  for (int i = 1; i <= steps; ++i) {
    Step();
    if (c.stepsToEnd != 0 && i == steps) break;
    ASSERT_TRUE(f.MemoQuestion->Visible()) << "step " << i;
    // A once-only run reads "&Reset" while its last question is up.
    const bool lastOnceOnly = !Marking() && c.stepsToEnd != 0 && i == steps - 1;
    ASSERT_EQ(StartCaption(), lastOnceOnly ? "&Reset" : "&Stop") << "step " << i;
    shown.push_back(Label());
    if (std::string(c.sequence) != "Regular") {
      ASSERT_NE(shown[shown.size() - 2], shown.back()) << "step " << i;
    }
  }
  if (c.noRepeats) {
    EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()).size(), shown.size());
  }
  if (Marking()) {
    const std::string marks = std::to_string(steps);
    EXPECT_EQ(f.LblCorrect->Caption(), marks);
    EXPECT_EQ(f.LblAttempted->Caption(), marks);
    EXPECT_EQ(f.LblPercentage->Caption(), "100 %");
  }

  if (c.stepsToEnd == 0) {
    EXPECT_EQ(StartCaption(), "&Stop") << "this run goes on until Stop";
    ClickStart();
  } else if (c.endCaption != nullptr) {
    EXPECT_EQ(f.PnlQuestion->Caption(), c.endCaption);
    EXPECT_EQ(f.PnlAnswer->Caption(), "Thank You!");
    EXPECT_EQ(StartCaption(), "&Reset");
    EXPECT_EQ(Number(), "0  of  5");
    ClickStart();
  }
  // Idle again, whichever way the run ended.
  EXPECT_EQ(StartCaption(), "&Start");
  EXPECT_EQ(f.PnlQuestion->Caption(), "TOVREK");
  EXPECT_EQ(f.PnlAnswer->Caption(), "KNOWLEDGE SYSTEM");
  EXPECT_EQ(Number(), "0  of  5");
  EXPECT_FALSE(f.Timer->Enabled());
  EXPECT_TRUE(f.CbxMode->Enabled());
  EXPECT_EQ(f.BtnNext->Caption(), "&Next");
  EXPECT_EQ(f.LblAttempted->Caption(), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RunTableTest,
    ::testing::Values(
        // Regular Learning ends only by Stop: Next stops at question N.
        RowCase{"LearningRegular", "Learning", "Regular", false, 0, true, false, nullptr},
        RowCase{"LearningRandom", "Learning", "Random", false, 0, false, false, nullptr},
        // N - 1 Nexts show the rest, the next one resets.
        RowCase{"LearningOnceOnly", "Learning", "Random", true, kQuestions, false, true, nullptr},
        RowCase{"Practice", "Practice", "", false, 0, false, false, nullptr},
        RowCase{"PracticeEliminator", "Practice", "", true, kQuestions, false, true, "End of Practice"},
        RowCase{"TestRegular", "Test", "Regular", false, kQuestions, false, true, "End of Test"},
        RowCase{"TestRandom", "Test", "Random", false, kQuestions, false, true, "End of Test"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunTest, RegularLearningNextStaysOnTheLastQuestion) {
  Prepare(SimpleTopic(3));
  ClickStart();
  for (int i = 0; i < 5; ++i) F1().BtnNext->Click();  // as the keys and the tick do, enabled or not
  EXPECT_EQ(Number(), "3  of  3");
  EXPECT_EQ(StartCaption(), "&Stop");
}

}  // namespace
}  // namespace tovrek_test
