// Learning runs as a learner meets them: Start, Next and Back, the random
// orders, Stop, and the faults a run must survive.
#include <filesystem>
#include <set>

#include "main/run_support.h"
#include "platform/random.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;

class LearningRunTest : public RunTest {};

TEST_F(LearningRunTest, RegularRunStepsForwardAndBackAndStopsToIdle) {
  Prepare(SimpleTopic(3));
  tovrek::TForm1& f = F1();
  ClickStart();
  EXPECT_EQ(StartCaption(), "&Stop");
  EXPECT_EQ(QuestionLines(), std::vector<std::string>{"Question 1"});
  EXPECT_EQ(AnswerLines(), std::vector<std::string>{"Answer 1"});
  EXPECT_TRUE(f.MemoQuestion->Visible());
  EXPECT_TRUE(f.MemoAnswer->Visible());
  EXPECT_FALSE(f.PnlQuestion->Visible());
  EXPECT_FALSE(f.PnlAnswer->Visible());
  EXPECT_EQ(Number(), "1  of  3");
  EXPECT_EQ(f.PnlNumber->GetFont().FontColor, tk::clBlack);
  EXPECT_EQ(f.LblTopic->Caption(), "TOPIC  ...  3  QUESTIONS");
  for (tk::Control* c : std::initializer_list<tk::Control*>{f.CbxSubject, f.CbxTopic, f.CbxMode, f.CbxSequence,
                                                            f.CheckBox1, f.BtnRefresh, f.ChkSwopQA, f.BtnClock})
    EXPECT_FALSE(c->Enabled()) << c->Name();
  EXPECT_TRUE(f.BtnSearch->Enabled());
  EXPECT_EQ(Focused(), "BtnNext");
  EXPECT_FALSE(f.BtnPrevious->Enabled());

  ClickNext();
  EXPECT_EQ(Number(), "2  of  3");
  EXPECT_TRUE(f.BtnPrevious->Enabled());
  ClickNext();
  EXPECT_EQ(Number(), "3  of  3");
  EXPECT_EQ(QuestionLines(), std::vector<std::string>{"Question 3"});
  EXPECT_FALSE(f.BtnNext->Enabled());
  EXPECT_EQ(Focused(), "BtnPrevious");
  ClickBack();
  ClickBack();
  EXPECT_EQ(Number(), "1  of  3");
  EXPECT_FALSE(f.BtnPrevious->Enabled());
  EXPECT_TRUE(f.BtnNext->Enabled());
  EXPECT_EQ(Focused(), "BtnNext");

  ClickStart();
  EXPECT_EQ(StartCaption(), "&Start");
  EXPECT_EQ(Number(), "0  of  3");
  EXPECT_EQ(f.PnlNumber->GetFont().FontColor, tk::clGray);
  EXPECT_TRUE(f.PnlQuestion->Visible());
  EXPECT_EQ(f.PnlQuestion->Caption(), "TOVREK");
  EXPECT_EQ(f.PnlAnswer->Caption(), "KNOWLEDGE SYSTEM");
  EXPECT_FALSE(f.MemoQuestion->Visible());
  EXPECT_EQ(f.MemoQuestion->LineCount(), 0);
  EXPECT_EQ(f.MemoAnswer->LineCount(), 0);
  EXPECT_TRUE(f.CbxSubject->Enabled());
  EXPECT_TRUE(f.CbxSequence->Enabled());
  EXPECT_FALSE(f.CheckBox1->Enabled()) << "Regular has no variant";
  EXPECT_FALSE(f.BtnNext->Enabled());
  EXPECT_FALSE(f.BtnSearch->Enabled());
  EXPECT_TRUE(f.ChkSwopQA->Enabled());
  EXPECT_TRUE(f.BtnClock->Enabled());
  EXPECT_EQ(U().Scan.NumberOfQuestions, 0);
  EXPECT_EQ(U().TotalQuestions, 3);
}

TEST_F(LearningRunTest, OnceOnlyRunOfTwoEndsOnTheSecondNext) {
  Prepare(SimpleTopic(2), "Learning", "Random", true);
  tovrek::TForm1& f = F1();
  EXPECT_FALSE(f.BtnPrevious->Visible());
  EXPECT_EQ(f.BtnNext->Height(), 111);
  ClickStart();
  const std::string first = Label();
  ClickNext();
  EXPECT_NE(Label(), first);
  EXPECT_EQ(StartCaption(), "&Reset");
  EXPECT_EQ(f.BtnNext->Caption(), "&End");
  ClickNext();
  EXPECT_EQ(StartCaption(), "&Start");
  EXPECT_EQ(f.BtnNext->Caption(), "&Next");
  EXPECT_EQ(Number(), "0  of  2");
  EXPECT_TRUE(f.CheckBox1->Enabled());
  EXPECT_TRUE(f.CheckBox1->Checked()) << "Stop leaves the variant as chosen";
}

TEST_F(LearningRunTest, OnceOnlyRunShowsEveryQuestionExactlyOnce) {
  for (uint32_t seed : {1u, 77u, 4242u}) {
    SCOPED_TRACE(seed);
    if (seed == 1u) Prepare(SimpleTopic(7), "Learning", "Random", true);
    plat::SetRandSeed(seed);
    ClickStart();
    std::multiset<std::string> shown{Label()};
    while (F1().BtnNext->Caption() != "&End") {
      ClickNext();
      shown.insert(Label());
      ASSERT_LE(shown.size(), 7u) << "Form1.BtnNext never read \"&End\"";
    }
    EXPECT_EQ(shown.size(), 7u);
    EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()).size(), 7u);
    ClickNext();
    EXPECT_EQ(StartCaption(), "&Start");
  }
}

TEST_F(LearningRunTest, PlainRandomNeverRepeatsAQuestionAtOnceAndNeverEnds) {
  Prepare(SimpleTopic(3), "Learning", "Random");
  ClickStart();
  std::string last = Label();
  for (int i = 0; i < 60; ++i) {
    ClickNext();
    ASSERT_NE(Label(), last);
    last = Label();
  }
  EXPECT_EQ(StartCaption(), "&Stop");
  EXPECT_EQ(F1().BtnNext->Caption(), "&Next");
}

TEST_F(LearningRunTest, RandomStartDrawsItsFirstQuestionAndFlagsOnlyItInOnceOnly) {
  Prepare(SimpleTopic(9), "Learning", "Random", true);
  plat::SetRandSeed(12345);
  ClickStart();
  const int counter = U().Run.Counter;
  EXPECT_EQ(Label(), std::to_string(counter));
  int flags = 0;
  for (int i = 1; i <= 9; ++i) flags += U().Run.ShownFlags[static_cast<size_t>(i)] ? 1 : 0;
  EXPECT_EQ(flags, 1);
  EXPECT_TRUE(U().Run.ShownFlags[static_cast<size_t>(counter)]);
}

TEST_F(LearningRunTest, LinesSplitAtTheMarkerAndSwopShowsTheAnswerAsTheQuestion) {
  const std::string topic = TopicText({{"7", "", "FONT", {"A", "", "C"}, {"Paris", ""}},
                                       {"9", "", "FONT", {"Q2"}, {"A2"}}});
  Prepare(topic);
  tk::testing::UserClick(*F1().ChkSwopQA);
  ASSERT_TRUE(F1().ChkSwopQA->Checked());
  ClickStart();
  EXPECT_EQ(QuestionLines(), (std::vector<std::string>{"Paris", ""}));
  EXPECT_EQ(AnswerLines(), (std::vector<std::string>{"A", "", "C"}));
  EXPECT_EQ(Number(), "7  of  2") << "the record's own label";
  EXPECT_TRUE(F1().ChkSwopQA->Checked());
  EXPECT_FALSE(F1().ChkSwopQA->Enabled());
  ClickNext();
  ClickBack();
  EXPECT_EQ(QuestionLines(), (std::vector<std::string>{"Paris", ""})) << "restored from the master copy";
  EXPECT_EQ(U().Questions.SearchQuestionTexts[1], " A  C") << "search texts are built before the exchange";
  ClickStart();
  EXPECT_FALSE(F1().ChkSwopQA->Checked());
}

TEST_F(LearningRunTest, AStartThatLoadsFewerThanTwoQuestionsIsReportedAndStaysIdle) {
  // Valid when scanned; an empty line where the second label belongs since.
  Prepare(SimpleTopic(3));
  WriteTopic("Subject", "Topic", CrLfLines({"[Q1", "", "FONT", "q", "[A", "a", "[[qend", "", "[Q2", "", "FONT", "q",
                                            "[A", "a", "[[qend"}));
  ExpectProblem();
  ClickStart();
  EXPECT_EQ(problems_, std::vector<std::string>{"This Topic has less than 2 questions (must be 2 or more)."});
  EXPECT_EQ(StartCaption(), "&Start");
  EXPECT_FALSE(F1().MemoQuestion->Visible());
  EXPECT_EQ(F1().PnlQuestion->Caption(), "TOVREK");
  EXPECT_FALSE(F1().BtnNext->Enabled());
  EXPECT_EQ(Number(), "0  of  1");
  // Nothing is left to run over: a tick or a Next does nothing.
  F1().BtnNext->Click();
  EXPECT_EQ(StartCaption(), "&Start");
}

TEST_F(LearningRunTest, ATopicOfMoreThanAThousandRecordsRunsOverItsFirstThousand) {
  Prepare(SimpleTopic(1001));
  ClickStart();
  EXPECT_EQ(Number(), "1  of  1000");
  EXPECT_EQ(F1().LblTopic->Caption(), "TOPIC  ...  1000  QUESTIONS");
  for (int i = 0; i < 999; ++i) F1().BtnNext->Click();
  EXPECT_EQ(Number(), "1000  of  1000");
  EXPECT_EQ(QuestionLines(), std::vector<std::string>{"Question 1000"});
  EXPECT_FALSE(F1().BtnNext->Enabled());
}

TEST_F(LearningRunTest, StopAfterTheTopicFileWentEndsTheRunAndRefreshes) {
  UseLocalVariant();
  WriteTopic("Subject", "A", SimpleTopic(2));
  WriteTopic("Subject", "B", SimpleTopic(4));
  Start();
  tk::testing::UserPick(*F1().CbxTopic, F1().CbxTopic->IndexOf("B"));
  ClickStart();
  ClickNext();
  std::filesystem::remove(SubjectsPath() + "/Subject/B.txt");
  ClickStart();
  EXPECT_EQ(StartCaption(), "&Start");
  EXPECT_FALSE(F1().MemoQuestion->Visible());
  EXPECT_TRUE(F1().CbxSubject->Enabled());
  EXPECT_EQ(F1().CbxTopic->Items(), std::vector<std::string>{"A"}) << "the Refresh ran";
  EXPECT_EQ(Number(), "0  of  2");
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
}

TEST_F(LearningRunTest, StartOverAVanishedFileOnlyRefreshes) {
  UseLocalVariant();
  WriteTopic("Subject", "A", SimpleTopic(2));
  WriteTopic("Subject", "B", SimpleTopic(4));
  Start();
  tk::testing::UserPick(*F1().CbxTopic, F1().CbxTopic->IndexOf("B"));
  std::filesystem::remove(SubjectsPath() + "/Subject/B.txt");
  ClickStart();
  EXPECT_EQ(StartCaption(), "&Start");
  EXPECT_EQ(F1().CbxTopic->Items(), std::vector<std::string>{"A"});
}

TEST_F(LearningRunTest, ClickZonesStepAndTheirHintsSayWhere) {
  Prepare(SimpleTopic(2));
  tovrek::TForm1& f = F1();
  ClickStart();
  tk::testing::UserMouseMove(*f.MemoAnswer, 5, 5);
  EXPECT_FALSE(f.MemoAnswer->ShowHint()) << "no Back on question 1";
  UserClick(*f.MemoAnswer);
  EXPECT_EQ(Number(), "1  of  2");
  EXPECT_EQ(Focused(), "BtnNext");
  tk::testing::UserMouseMove(*f.MemoQuestion, 5, 5);
  EXPECT_TRUE(f.MemoQuestion->ShowHint());
  EXPECT_EQ(f.MemoQuestion->Hint(), "Click = Next");
  UserClick(*f.MemoQuestion);
  EXPECT_EQ(Number(), "2  of  2");
  EXPECT_EQ(Focused(), "BtnPrevious");
  tk::testing::UserMouseMove(*f.MemoQuestion, 6, 6);
  EXPECT_FALSE(f.MemoQuestion->ShowHint()) << "Next is disabled on the last question";
  UserClick(*f.MemoQuestion);
  EXPECT_EQ(StartCaption(), "&Stop") << "the last question's click does not stop the run";
  tk::testing::UserMouseMove(*f.MemoAnswer, 6, 6);
  EXPECT_TRUE(f.MemoAnswer->ShowHint());
  EXPECT_EQ(f.MemoAnswer->Hint(), "Click = Back");
  UserClick(*f.MemoAnswer);
  EXPECT_EQ(Number(), "1  of  2");
  EXPECT_EQ(Focused(), "BtnNext");
}

TEST_F(LearningRunTest, OnceOnlyClickZonesReadEndAndEndTheRun) {
  Prepare(SimpleTopic(2), "Learning", "Random", true);
  tovrek::TForm1& f = F1();
  ClickStart();
  UserClick(*f.MemoAnswer);
  ASSERT_EQ(f.BtnNext->Caption(), "&End");
  tk::testing::UserMouseMove(*f.MemoQuestion, 5, 5);
  EXPECT_EQ(f.MemoQuestion->Hint(), "Click = End");
  tk::testing::UserMouseMove(*f.MemoAnswer, 5, 5);
  EXPECT_EQ(f.MemoAnswer->Hint(), "Click = End");
  UserClick(*f.MemoQuestion);
  EXPECT_EQ(StartCaption(), "&Start");
}

}  // namespace
}  // namespace tovrek_test
