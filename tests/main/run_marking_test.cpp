// Practice and Test runs: the answer reveal, the marks and the score, the
// end screens, the Eliminator and the layouts of the modes.
#include <set>

#include "main/run_support.h"
#include "platform/random.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;

class MarkingRunTest : public RunTest {
 protected:
  void ExpectScore(const char* correct, const char* incorrect, const char* attempted, const char* percent) {
    EXPECT_EQ(F1().LblCorrect->Caption(), correct);
    EXPECT_EQ(F1().LblIncorrect->Caption(), incorrect);
    EXPECT_EQ(F1().LblAttempted->Caption(), attempted);
    EXPECT_EQ(F1().LblPercentage->Caption(), percent);
  }
  void ExpectEndScreen(const char* caption, const char* total) {
    tovrek::TForm1& f = F1();
    EXPECT_TRUE(f.PnlQuestion->Visible());
    EXPECT_FALSE(f.MemoQuestion->Visible());
    EXPECT_EQ(f.PnlQuestion->Caption(), caption);
    EXPECT_TRUE(f.PnlAnswer->Visible());
    EXPECT_EQ(f.PnlAnswer->Caption(), "Thank You!");
    EXPECT_EQ(StartCaption(), "&Reset");
    EXPECT_EQ(Focused(), "BtnStartStop");
    EXPECT_EQ(Number(), std::string("0  of  ") + total);
    EXPECT_EQ(f.PnlNumber->GetFont().FontColor, tk::clGray);
    EXPECT_FALSE(f.BmbCorrect->Enabled());
    EXPECT_FALSE(f.BmbIncorrect->Enabled());
    EXPECT_TRUE(f.Image1->Visible());
    EXPECT_FALSE(f.Timer->Enabled());
  }
};

TEST_F(MarkingRunTest, TestRegularRevealsMarksAndEndsAfterTheLastQuestion) {
  Prepare(SimpleTopic(3), "Test", "Regular");
  tovrek::TForm1& f = F1();
  ClickStart();
  EXPECT_FALSE(f.MemoAnswer->Visible());
  EXPECT_EQ(f.PnlAnswer->Caption(), "SHOW ANSWER");
  EXPECT_FALSE(f.BmbCorrect->Enabled());
  EXPECT_TRUE(f.LblCorrect->Enabled()) << "the statistics are live during the run";
  EXPECT_EQ(f.Gauge1->BackColor(), tk::clWhite);
  EXPECT_FALSE(f.BtnSearch->Visible());
  EXPECT_EQ(AnswerLines(), std::vector<std::string>{"Answer 1"});

  ShowAnswer();
  EXPECT_TRUE(f.MemoAnswer->Visible());
  EXPECT_FALSE(f.PnlAnswer->Visible());
  EXPECT_TRUE(f.BmbCorrect->Enabled());
  EXPECT_TRUE(f.BmbIncorrect->Enabled());
  MarkCorrect();
  EXPECT_EQ(Number(), "2  of  3");
  EXPECT_FALSE(f.MemoAnswer->Visible());
  EXPECT_EQ(f.PnlAnswer->Caption(), "SHOW ANSWER");
  ExpectScore("1", "0", "1", "100 %");
  EXPECT_EQ(f.Gauge1->Progress(), 100);
  EXPECT_EQ(f.Gauge1->ForeColor(), tk::clLime);
  ShowAnswer();
  MarkIncorrect();
  ExpectScore("1", "1", "2", "50 %");
  EXPECT_EQ(f.Gauge1->ForeColor(), tk::clMoneyGreen);
  EXPECT_EQ(Number(), "3  of  3");
  ShowAnswer();
  EXPECT_TRUE(U().Run.RunComplete);
  MarkCorrect();
  ExpectEndScreen("End of Test", "3");
  ExpectScore("2", "1", "3", "67 %");
  UserClick(*f.PnlAnswer);  // "Thank You!" reveals nothing
  EXPECT_FALSE(f.MemoAnswer->Visible());

  ClickStart();  // Reset
  EXPECT_EQ(StartCaption(), "&Start");
  ExpectScore("0", "0", "0", "0 %");
  EXPECT_EQ(f.Gauge1->Progress(), 0);
  EXPECT_EQ(f.Gauge1->BackColor(), tk::clBtnFace);
  EXPECT_TRUE(f.LblCorrect->Visible());
  EXPECT_FALSE(f.LblCorrect->Enabled()) << "greyed between runs";
  EXPECT_EQ(f.PnlQuestion->Caption(), "TOVREK");
}

TEST_F(MarkingRunTest, TestRandomAsksEveryQuestionOnceThenEnds) {
  Prepare(SimpleTopic(6), "Test", "Random");
  for (uint32_t seed : {3u, 99u}) {
    SCOPED_TRACE(seed);
    plat::SetRandSeed(seed);
    ClickStart();
    std::set<std::string> asked;
    for (int i = 0; i < 6; ++i) {
      ASSERT_EQ(StartCaption(), "&Stop") << "after " << i << " marks";
      EXPECT_TRUE(asked.insert(Label()).second) << "asked again: " << Label();
      ShowAnswer();
      MarkIncorrect();
    }
    ExpectEndScreen("End of Test", "6");
    ExpectScore("0", "6", "6", "0 %");
    EXPECT_EQ(F1().Gauge1->ForeColor(), tk::clRed);
    ClickStart();
  }
}

TEST_F(MarkingRunTest, ClickOnTheHiddenLastQuestionCountsCorrectAndEndsTheTest) {
  Prepare(SimpleTopic(2), "Test", "Regular");
  tovrek::TForm1& f = F1();
  ClickStart();
  tk::testing::UserMouseMove(*f.MemoQuestion, 5, 5);
  EXPECT_TRUE(f.MemoQuestion->ShowHint());
  EXPECT_EQ(f.MemoQuestion->Hint(), "Click = Correct");
  UserClick(*f.MemoQuestion);
  EXPECT_EQ(Number(), "2  of  2");
  ExpectScore("1", "0", "1", "100 %");
  ShowAnswer();
  tk::testing::UserMouseMove(*f.MemoQuestion, 6, 6);
  EXPECT_FALSE(f.MemoQuestion->ShowHint()) << "the answer is shown";
  UserClick(*f.MemoQuestion);
  EXPECT_EQ(f.LblAttempted->Caption(), "1") << "a click while the answer shows does nothing";
  MarkIncorrect();
  ExpectEndScreen("End of Test", "2");
  tk::testing::UserMouseMove(*f.PnlQuestion, 5, 5);
  EXPECT_FALSE(f.PnlQuestion->ShowHint()) << "no quotation hint on the end screen";
}

// In Test a click on the hidden question counts Correct, and on the last
// question of the run it ends the test, in either sequence.
class HiddenQuestionClickTest : public MarkingRunTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(HiddenQuestionClickTest, EachCountsCorrectAndTheLastEndsTheTest) {
  Prepare(SimpleTopic(3), "Test", GetParam());
  ClickStart();
  for (int i = 1; i <= 3; ++i) {
    ASSERT_EQ(StartCaption(), "&Stop") << "before click " << i;
    ASSERT_FALSE(F1().MemoAnswer->Visible());
    UserClick(*F1().MemoQuestion);
  }
  ExpectEndScreen("End of Test", "3");
  ExpectScore("3", "0", "3", "100 %");
}

INSTANTIATE_TEST_SUITE_P(Sequences, HiddenQuestionClickTest, ::testing::Values("Regular", "Random"),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(MarkingRunTest, OneCorrectOfEightShowsTwelvePercent) {
  Prepare(SimpleTopic(3), "Practice");
  ClickStart();
  ShowAnswer();
  MarkCorrect();
  for (int i = 0; i < 7; ++i) {
    ShowAnswer();
    MarkIncorrect();
  }
  ExpectScore("1", "7", "8", "12 %");
  EXPECT_EQ(F1().Gauge1->ForeColor(), tk::clRed);
  EXPECT_EQ(StartCaption(), "&Stop") << "plain Practice never ends by itself";
}

TEST_F(MarkingRunTest, PracticeNeverRepeatsAQuestionAtOnce) {
  Prepare(SimpleTopic(2), "Practice");
  ClickStart();
  std::string last = Label();
  for (int i = 0; i < 20; ++i) {
    ShowAnswer();
    (i % 2 ? static_cast<void>(MarkCorrect()) : MarkIncorrect());
    ASSERT_NE(Label(), last);
    last = Label();
  }
}

TEST_F(MarkingRunTest, EliminatorRepeatsTheLastUntilCorrectThenEndsAtOnce) {
  Prepare(SimpleTopic(3), "Practice", "", true);
  ClickStart();
  for (size_t i = 1; i <= 1000; ++i) ASSERT_EQ(U().Questions.QuestionArray[i].EliminatorStatus, "nothing");
  std::set<std::string> correct;
  correct.insert(Label());
  ShowAnswer();
  MarkCorrect();
  ASSERT_FALSE(correct.count(Label()));
  correct.insert(Label());
  ShowAnswer();
  MarkCorrect();
  const std::string last = Label();
  ASSERT_FALSE(correct.count(last)) << "a question answered Correct never comes again";
  ShowAnswer();
  MarkIncorrect();
  EXPECT_EQ(Label(), last) << "the only one left repeats";
  ShowAnswer();
  MarkIncorrect();
  EXPECT_EQ(Label(), last);
  ShowAnswer();
  MarkCorrect();
  ExpectEndScreen("End of Practice", "3");
  ExpectScore("3", "2", "5", "60 %");
  EXPECT_EQ(F1().Gauge1->ForeColor(), tk::clGreen);
}

struct LayoutCase {
  const char* mode;
  int timerLeft, timerTop, timerWidth, timerHeight;
  int clockLeft, clockTop, clockWidth, clockHeight;
  const char* clockCaption;
  const char* checkCaption;
  bool checkEnabled;
  bool sequenceEnabled;
  bool nextVisible;
  bool marksVisible;
  bool statisticsVisible;
  bool searchVisible;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.mode; }

class ModeLayoutTest : public RunTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(ModeLayoutTest, EachModeLaysOutItsControls) {
  const LayoutCase& c = GetParam();
  WriteTopic("Subject", "Topic", SimpleTopic(2));
  Start();
  // From another mode, so the change really runs.
  Choose(std::string(c.mode) == "Test" ? "Practice" : "Test");
  Choose(c.mode);
  tovrek::TForm1& f = F1();
  EXPECT_EQ(f.PnlTimer->Left(), c.timerLeft);
  EXPECT_EQ(f.PnlTimer->Top(), c.timerTop);
  EXPECT_EQ(f.PnlTimer->Width(), c.timerWidth);
  EXPECT_EQ(f.PnlTimer->Height(), c.timerHeight);
  EXPECT_EQ(f.BtnClock->Left(), c.clockLeft);
  EXPECT_EQ(f.BtnClock->Top(), c.clockTop);
  EXPECT_EQ(f.BtnClock->Width(), c.clockWidth);
  EXPECT_EQ(f.BtnClock->Height(), c.clockHeight);
  EXPECT_EQ(f.BtnClock->Caption(), c.clockCaption);
  EXPECT_EQ(f.CheckBox1->Caption(), c.checkCaption);
  EXPECT_EQ(f.CheckBox1->Enabled(), c.checkEnabled);
  EXPECT_EQ(f.CbxSequence->Enabled(), c.sequenceEnabled);
  EXPECT_EQ(f.BtnNext->Visible(), c.nextVisible);
  EXPECT_EQ(f.BmbCorrect->Visible(), c.marksVisible);
  EXPECT_EQ(f.BmbIncorrect->Visible(), c.marksVisible);
  if (c.marksVisible) {
    EXPECT_EQ(f.BmbCorrect->Left(), 476);
    EXPECT_EQ(f.BmbCorrect->Caption(), "");
  }
  EXPECT_EQ(f.LblPercentage->Visible(), c.statisticsVisible);
  EXPECT_EQ(f.Gauge1->Visible(), c.statisticsVisible);
  EXPECT_EQ(f.Shape[11]->Visible(), c.statisticsVisible);
  EXPECT_EQ(f.BtnSearch->Visible(), c.searchVisible);
  EXPECT_EQ(f.PnlAnswer->Caption(), "KNOWLEDGE SYSTEM");
  EXPECT_EQ(Focused(), "BtnStartStop");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ModeLayoutTest,
    ::testing::Values(LayoutCase{"Learning", 476, 199, 239, 30, 480, 202, 232, 25, "Au&tomatic   Advance",
                                 " Display each question once only", false, true, true, false, false, true},
                      LayoutCase{"Practice", 613, 157, 89, 28, 617, 160, 81, 23, "Au&to", " Eliminator", true, false,
                                 false, true, true, false},
                      LayoutCase{"Test", 491, 157, 209, 28, 495, 160, 202, 23, "Au&tomatic   Advance", " Eliminator",
                                 false, true, false, true, true, false}),
    [](const auto& info) { return std::string(info.param.mode); });

TEST_F(MarkingRunTest, PracticeLocksRandomAndLearningThenKeepsTheRandomLayout) {
  WriteTopic("Subject", "Topic", SimpleTopic(2));
  Start();
  Choose("Practice");
  EXPECT_EQ(F1().CbxSequence->Text(), "Random");
  EXPECT_FALSE(F1().CbxSequence->Enabled());
  Choose("Learning");
  EXPECT_EQ(F1().CbxSequence->Text(), "Random");
  EXPECT_FALSE(F1().BtnPrevious->Visible());
  EXPECT_EQ(F1().BtnNext->Height(), 111);
  EXPECT_TRUE(F1().CheckBox1->Enabled());
  UserClick(*F1().CheckBox1);
  ASSERT_TRUE(F1().CheckBox1->Checked());
  Choose("Learning", "Regular");
  EXPECT_FALSE(F1().CheckBox1->Checked());
  EXPECT_FALSE(F1().CheckBox1->Enabled());
  EXPECT_TRUE(F1().BtnPrevious->Visible());
  EXPECT_EQ(F1().BtnNext->Height(), 48);
}

TEST_F(MarkingRunTest, StopOfAPracticeRunGreysTheZeroedScore) {
  Prepare(SimpleTopic(3), "Practice");
  ClickStart();
  ShowAnswer();
  MarkCorrect();
  ClickStart();
  ExpectScore("0", "0", "0", "0 %");
  EXPECT_TRUE(F1().Gauge1->Visible());
  EXPECT_FALSE(F1().Gauge1->Enabled());
  EXPECT_TRUE(F1().CheckBox1->Enabled());
  EXPECT_FALSE(F1().CbxSequence->Enabled());
}

}  // namespace
}  // namespace tovrek_test

namespace tovrek_test {
namespace {

TEST_F(MarkingRunTest, QuestionPanelOpensTheQuotationWindowOnlyWhileIdle) {
  Prepare(SimpleTopic(2), "Test", "Regular");
  Answer("Form13", [](tk::Form& f) { f.Close(); });
  tk::testing::UserClick(*F1().PnlQuestion);
  EXPECT_EQ(Modals(), std::vector<std::string>{"Form13"});
  tk::testing::UserMouseMove(*F1().PnlQuestion, 5, 5);
  EXPECT_TRUE(F1().PnlQuestion->ShowHint());
  ClickStart();
  for (int i = 0; i < 2; ++i) {
    ShowAnswer();
    MarkCorrect();
  }
  ASSERT_EQ(F1().PnlQuestion->Caption(), "End of Test");
  tk::testing::UserClick(*F1().PnlQuestion);
  EXPECT_EQ(Modals().size(), 1u) << "no quotation from the end screen";
}

}  // namespace
}  // namespace tovrek_test
