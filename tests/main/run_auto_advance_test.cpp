// Automatic advance: the interval window and the tick in every mode, on
// the manual clock.
#include "main/run_support.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;

class AutoAdvanceTest : public RunTest {
 protected:
  tovrek::TForm9& F9() { return *P().Form9; }
};

TEST_F(AutoAdvanceTest, FirstShowingOffersFiveSecondsAndSetArmsTheNextRun) {
  WriteTopic("Subject", "Topic", SimpleTopic(2));
  Start();
  Answer("Form9", [this](tk::Form&) {
    EXPECT_EQ(F9().RadioGroup1->Caption(), "SECONDS: LEARNING");
    EXPECT_EQ(F9().RadioGroup1->ItemIndex(), 4);
    EXPECT_FALSE(F9().BtnCancel->Enabled());
    EXPECT_TRUE(F9().BtnSet->Focused());
    UserClick(*F9().BtnSet);
  });
  UserClick(*F1().BtnClock);
  EXPECT_EQ(F1().Timer->Interval(), 5000u);
  EXPECT_EQ(F1().BtnClock->Caption(), "Automatic  Advance  =  5 sec");
  EXPECT_EQ(F1().PnlTimer->GetColor(), tk::clLime);
  EXPECT_TRUE(U().AutoAdvanceOn);
  EXPECT_FALSE(F1().Timer->Enabled()) << "Set does not start the timer";

  // Shown again: the item chosen last, Unset offered.
  Answer("Form9", [this](tk::Form&) {
    EXPECT_EQ(F9().RadioGroup1->ItemIndex(), 4);
    EXPECT_TRUE(F9().BtnCancel->Enabled());
    EXPECT_TRUE(F9().BtnCancel->Focused());
    UserClick(*F9().BtnCancel);
  });
  UserClick(*F1().BtnClock);
  EXPECT_FALSE(U().AutoAdvanceOn);
  EXPECT_EQ(F1().PnlTimer->GetColor(), tk::clBtnFace);
  EXPECT_EQ(F1().BtnClock->Caption(), "Au&tomatic   Advance");
  EXPECT_EQ(F1().Timer->Interval(), 5000u) << "Unset keeps the interval";
}

struct CaptionCase {
  const char* mode;
  const char* item;
  uint32_t interval;
  const char* caption;
  const char* unsetCaption;
  const char* group;
};

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.mode << c.item; }

class AdvanceCaptionTest : public AutoAdvanceTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(AdvanceCaptionTest, SetCaptionsTheClockButtonForTheMode) {
  const CaptionCase& c = GetParam();
  WriteTopic("Subject", "Topic", SimpleTopic(2));
  Start();
  Choose(c.mode);
  Answer("Form9", [&](tk::Form&) {
    EXPECT_EQ(F9().RadioGroup1->Caption(), c.group);
    UserClick(*F9().BtnSet);
  });
  UserClick(*F1().BtnClock);
  SetAutoAdvance(c.item);
  EXPECT_EQ(F1().Timer->Interval(), c.interval);
  EXPECT_EQ(F1().BtnClock->Caption(), c.caption);
  Answer("Form9", [this](tk::Form&) { UserClick(*F9().BtnCancel); });
  UserClick(*F1().BtnClock);
  EXPECT_EQ(F1().BtnClock->Caption(), c.unsetCaption);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, AdvanceCaptionTest,
    ::testing::Values(CaptionCase{"Learning", "1", 1000, "Automatic  Advance  =  1 sec", "Au&tomatic   Advance", "SECONDS: LEARNING"},
                      CaptionCase{"Practice", "30", 30000, "30 sec", "Au&to", "SECONDS: PRACTICE"},
                      CaptionCase{"Test", "12", 12000, "Automatic  Advance  =  12 sec", "Au&tomatic   Advance",
                                  "SECONDS: TEST"}),
    [](const auto& info) { return std::string(info.param.mode) + info.param.item; });

TEST_F(AutoAdvanceTest, PickingAnItemWithTheMouseLetsEnterSetIt) {
  WriteTopic("Subject", "Topic", SimpleTopic(2));
  Start();
  Answer("Form9", [this](tk::Form&) {
    tk::testing::UserPick(*F9().RadioGroup1, 13);
    EXPECT_TRUE(F9().BtnSet->Focused());
    tk::testing::UserKey(App(), tk::vk::Return);
  });
  UserClick(*F1().BtnClock);
  EXPECT_EQ(F1().Timer->Interval(), 30000u);
  EXPECT_TRUE(U().AutoAdvanceOn);
}

TEST_F(AutoAdvanceTest, TheKeyboardChoosesAnIntervalInTheGroup) {
  using tk::testing::FocusedItem;
  using tk::testing::UserKey;
  WriteTopic("Subject", "Topic", SimpleTopic(2));
  Start();
  // First showing: Set has the focus and Unset is disabled, so Tab goes
  // straight into the group.
  Answer("Form9", [this](tk::Form& f) {
    UserKey(App(), tk::vk::Tab);
    EXPECT_TRUE(F9().RadioGroup1->Focused());
    EXPECT_EQ(FocusedItem(*F9().RadioGroup1), 4) << "on the checked item \"5\"";
    UserKey(App(), tk::vk::Escape);
    EXPECT_FALSE(f.CloseRequested()) << "Esc in the group does nothing";
    EXPECT_EQ(FocusedItem(*F9().RadioGroup1), 4);
    UserKey(App(), tk::vk::Right);
    EXPECT_EQ(F9().RadioGroup1->ItemIndex(), 5);
    EXPECT_TRUE(F9().BtnSet->Focused()) << "a key's choice moves the focus to Set, as a click's does";
    UserKey(App(), tk::vk::Return);
  });
  UserClick(*F1().BtnClock);
  EXPECT_EQ(F1().Timer->Interval(), 6000u);
  EXPECT_EQ(F1().BtnClock->Caption(), "Automatic  Advance  =  6 sec");

  // Unset now has the focus: Tab reaches the group on "6"; Left steps back,
  // and from "1" wraps round to "30".
  Answer("Form9", [this](tk::Form&) {
    UserKey(App(), tk::vk::Tab);
    EXPECT_EQ(FocusedItem(*F9().RadioGroup1), 5);
    UserKey(App(), tk::vk::Left);
    EXPECT_EQ(F9().RadioGroup1->ItemIndex(), 4);
    tk::testing::UserPick(*F9().RadioGroup1, 0);
    UserKey(App(), tk::vk::Tab);
    UserKey(App(), tk::vk::Tab);
    EXPECT_EQ(FocusedItem(*F9().RadioGroup1), 0);
    UserKey(App(), tk::vk::Up);
    EXPECT_EQ(F9().RadioGroup1->ItemIndex(), 13);
    EXPECT_TRUE(F9().BtnSet->Focused());
    UserKey(App(), tk::vk::Return);
  });
  UserClick(*F1().BtnClock);
  EXPECT_EQ(F1().Timer->Interval(), 30000u);
}

TEST_F(AutoAdvanceTest, EscLeavesEverythingAsItWas) {
  WriteTopic("Subject", "Topic", SimpleTopic(2));
  Start();
  SetAutoAdvance("3");
  for (const char* button : {"BtnSet", "BtnCancel"}) {
    Answer("Form9", [this, button](tk::Form& f) {
      tk::testing::UserPick(*F9().RadioGroup1, 0);
      ASSERT_TRUE(dynamic_cast<tk::Control*>(f.FindComponent(button))->SetFocus());
      tk::testing::UserKey(App(), tk::vk::Escape);
    });
    UserClick(*F1().BtnClock);
    EXPECT_EQ(F1().Timer->Interval(), 3000u) << button;
    EXPECT_EQ(F1().BtnClock->Caption(), "Automatic  Advance  =  3 sec");
    EXPECT_EQ(F1().PnlTimer->GetColor(), tk::clLime);
    EXPECT_TRUE(U().AutoAdvanceOn);
  }
}

TEST_F(AutoAdvanceTest, LearningRegularTicksThroughAndStopsOnTheLastQuestion) {
  Prepare(SimpleTopic(3));
  SetAutoAdvance("2");
  ClickStart();
  EXPECT_TRUE(F1().Timer->Enabled());
  EXPECT_FALSE(F1().BtnSearch->Enabled()) << "no search under automatic advance";
  Clock().Advance(1999);
  EXPECT_EQ(Number(), "1  of  3");
  Clock().Advance(1);
  EXPECT_EQ(Number(), "2  of  3");
  Clock().Advance(2000);
  EXPECT_EQ(Number(), "3  of  3");
  Clock().Advance(2000);
  EXPECT_EQ(StartCaption(), "&Start");
  EXPECT_FALSE(F1().Timer->Enabled());
  EXPECT_TRUE(U().AutoAdvanceOn) << "Stop keeps the choice for the next run";
}

TEST_F(AutoAdvanceTest, OnceOnlyRunEndsByTheTick) {
  Prepare(SimpleTopic(2), "Learning", "Random", true);
  SetAutoAdvance("1");
  ClickStart();
  Clock().Advance(1000);
  EXPECT_EQ(F1().BtnNext->Caption(), "&End");
  Clock().Advance(1000);
  EXPECT_EQ(StartCaption(), "&Start");
  EXPECT_FALSE(F1().Timer->Enabled());
}

TEST_F(AutoAdvanceTest, PracticeTickRevealsAndWaitsForTheMark) {
  Prepare(SimpleTopic(3), "Practice");
  SetAutoAdvance("1");
  ClickStart();
  Clock().Advance(1000);
  EXPECT_TRUE(F1().MemoAnswer->Visible());
  EXPECT_TRUE(F1().BmbCorrect->Enabled());
  EXPECT_FALSE(F1().Timer->Enabled());
  Clock().Advance(5000);
  EXPECT_EQ(F1().LblAttempted->Caption(), "0") << "the tick never marks";
  const std::string before = Label();
  Clock().Advance(500);
  MarkCorrect();
  EXPECT_NE(Label(), before);
  EXPECT_FALSE(F1().MemoAnswer->Visible());
  EXPECT_TRUE(F1().Timer->Enabled());
  Clock().Advance(999);
  EXPECT_FALSE(F1().MemoAnswer->Visible()) << "the next question gets a full interval";
  Clock().Advance(1);
  EXPECT_TRUE(F1().MemoAnswer->Visible());
}

TEST_F(AutoAdvanceTest, TestEndScreenStopsTheTimerAndATickOutsideARunDoesNothing) {
  Prepare(SimpleTopic(2), "Test", "Regular");
  SetAutoAdvance("1");
  ClickStart();
  ShowAnswer();  // a running timer is not stopped by the reveal
  EXPECT_TRUE(F1().Timer->Enabled());
  MarkCorrect();
  ShowAnswer();
  MarkCorrect();
  ASSERT_EQ(F1().PnlQuestion->Caption(), "End of Test");
  EXPECT_FALSE(F1().Timer->Enabled());
  Clock().Advance(3000);
  EXPECT_FALSE(F1().MemoAnswer->Visible());
  EXPECT_FALSE(F1().BmbCorrect->Enabled());

  ClickStart();  // Reset
  // A tick that comes between runs does nothing and stops the timer.
  F1().Timer->SetEnabled(true);
  Clock().Advance(1000);
  EXPECT_EQ(StartCaption(), "&Start");
  EXPECT_FALSE(F1().MemoQuestion->Visible());
  EXPECT_FALSE(F1().Timer->Enabled());
}

// A Start that loads too few questions leaves the window idle: the Ok of
// its report does not set the advance timer going.
TEST_F(AutoAdvanceTest, AStartThatLoadsTooFewLeavesTheTimerOffAfterTheReport) {
  Prepare(SimpleTopic(3));
  SetAutoAdvance("1");
  WriteTopic("Subject", "Topic", SimpleTopic(1));  // since it was scanned
  ExpectProblem();
  ClickStart();
  EXPECT_EQ(problems_, std::vector<std::string>{"This Topic has less than 2 questions (must be 2 or more)."});
  EXPECT_EQ(StartCaption(), "&Start");
  EXPECT_TRUE(U().AutoAdvanceOn) << "still chosen";
  EXPECT_FALSE(F1().Timer->Enabled());
}

TEST_F(AutoAdvanceTest, ModeOrSequenceChangeClearsTheChoice) {
  WriteTopic("Subject", "Topic", SimpleTopic(2));
  Start();
  for (const char* mode : {"Practice", "Learning"}) {
    SetAutoAdvance("4");
    Choose(mode);
    EXPECT_FALSE(U().AutoAdvanceOn) << mode;
    EXPECT_EQ(F1().PnlTimer->GetColor(), tk::clBtnFace);
  }
  SetAutoAdvance("4");
  Choose("Learning", "Random");
  EXPECT_FALSE(U().AutoAdvanceOn);
  EXPECT_EQ(F1().BtnClock->Caption(), "Au&tomatic   Advance");
}

}  // namespace
}  // namespace tovrek_test
