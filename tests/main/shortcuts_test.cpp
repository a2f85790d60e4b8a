// The keyboard on the main window: the Ctrl shortcuts of a Learning run,
// Esc and F1 anywhere, Backspace in the lists, and the shortcuts window.
#include "main/Tovrek_Unit16.h"
#include "main/run_support.h"
#include "support/waits.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;
using tk::testing::UserKey;

constexpr tk::ShiftState kCtrl{false, true, false};

class ShortcutsTest : public RunTest {
 protected:
  void Ctrl(tk::Control& focus, uint16_t key, tk::ShiftState shift = kCtrl) {
    ASSERT_TRUE(focus.SetFocus()) << focus.Name();
    UserKey(App(), key, shift);
  }
  // A Regular Learning run of n questions moved on to question `at`.
  void RegularRunAt(int n, int at) {
    Prepare(SimpleTopic(n));
    ClickStart();
    for (int i = 1; i < at; ++i) ClickNext();
    ASSERT_EQ(Label(), std::to_string(at));
  }
};

TEST_F(ShortcutsTest, RegularRunFromEachButton) {
  struct Case {
    const char* button;
    uint16_t key;
    const char* shown;
    const char* focus;  // "" when unchanged
  } const cases[] = {
      {"BtnNext", tk::vk::Home, "1", "BtnNext"},    {"BtnNext", tk::vk::End, "20", "BtnPrevious"},
      {"BtnNext", tk::vk::Prior, "6", ""},          {"BtnNext", tk::vk::Next, "8", ""},
      {"BtnAbout", tk::vk::Home, "1", "BtnNext"},   {"BtnBrowser", tk::vk::End, "20", "BtnPrevious"},
      {"BtnClose", tk::vk::Prior, "6", ""},         {"BtnStartStop", tk::vk::Next, "8", ""},
      {"BtnPrevious", tk::vk::Home, "1", "BtnNext"}, {"BtnSearch", tk::vk::End, "20", "BtnPrevious"},
      {"BtnSearch", tk::vk::Prior, "6", ""},
  };
  RegularRunAt(20, 7);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " key " + std::to_string(c.key));
    // Back to question 7 as a learner would get there.
    const auto atSeven = [this] { return Label() == "7"; };
    ASSERT_TRUE(ClickUntil(std::stoi(Label()) < 7 ? *F1().BtnNext : *F1().BtnPrevious, atSeven, "question 7", 20));
    Ctrl(tk::testing::ControlNamed(F1(), c.button), c.key);
    EXPECT_EQ(Label(), c.shown);
    if (*c.focus) {
      EXPECT_EQ(Focused(), c.focus);
    }
    if (std::string(c.shown) == "1") {
      EXPECT_FALSE(F1().BtnPrevious->Enabled());
      EXPECT_TRUE(F1().BtnNext->Enabled());
    }
    if (std::string(c.shown) == "20") {
      EXPECT_TRUE(F1().BtnPrevious->Enabled());
      EXPECT_FALSE(F1().BtnNext->Enabled());
    }
  }
}

TEST_F(ShortcutsTest, ShiftAndAltDoNotMatterButCtrlDoes) {
  RegularRunAt(5, 3);
  Ctrl(*F1().BtnAbout, tk::vk::Home, {true, true, true});
  EXPECT_EQ(Label(), "1");
  Ctrl(*F1().BtnAbout, tk::vk::End, {true, false, false});
  EXPECT_EQ(Label(), "1");
}

TEST_F(ShortcutsTest, EdgesOfARegularRun) {
  RegularRunAt(3, 1);
  Ctrl(*F1().BtnAbout, tk::vk::Prior);
  EXPECT_EQ(Label(), "1");
  Ctrl(*F1().BtnAbout, tk::vk::End);
  Ctrl(*F1().BtnAbout, tk::vk::Next);
  EXPECT_EQ(Label(), "3");
}

TEST_F(ShortcutsTest, FirstQuestionReloadsItsMediaAfterAnotherPicture) {
  PutPicture("seven.jpg");
  std::vector<Record> records;
  for (int i = 1; i <= 8; ++i)
    records.push_back({std::to_string(i), i == 7 ? "seven.jpg" : "MEDIA", "FONT", {"Q"}, {"A"}});
  Prepare(TopicText(records));
  ClickStart();
  for (int i = 1; i < 7; ++i) ClickNext();
  ASSERT_EQ(U().Run.ShownMediaName, "MEDIA");
  Ctrl(*F1().BtnNext, tk::vk::Home);
  EXPECT_EQ(Label(), "1");
  EXPECT_EQ(U().Run.ShownMediaName, "seven.jpg");
  EXPECT_TRUE(F1().Image1->Visible());
}

TEST_F(ShortcutsTest, RandomRunOnlyMovesForward) {
  Prepare(SimpleTopic(10), "Learning", "Random");
  ClickStart();
  // A draw leaves the question it left in PreviousCounter; 0 marks "none".
  struct Case {
    const char* button;
    uint16_t key;
    bool draws;
  } const cases[] = {
      {"BtnAbout", tk::vk::Home, false},  {"BtnAbout", tk::vk::End, false}, {"BtnAbout", tk::vk::Prior, true},
      {"BtnAbout", tk::vk::Next, true},   {"BtnNext", tk::vk::Home, false}, {"BtnNext", tk::vk::Prior, true},
      {"BtnSearch", tk::vk::Next, false},
  };
  for (const Case& c : cases) {
    U().Run.PreviousCounter = 0;
    const uint16_t at = U().Run.Counter;
    Ctrl(tk::testing::ControlNamed(F1(), c.button), c.key);
    if (c.draws) {
      EXPECT_EQ(U().Run.PreviousCounter, at) << c.button << " " << c.key;
      EXPECT_NE(U().Run.Counter, at) << c.button << " " << c.key;
    } else {
      EXPECT_EQ(U().Run.PreviousCounter, 0) << c.button << " " << c.key;
      EXPECT_EQ(U().Run.Counter, at) << c.button << " " << c.key;
    }
  }
}

TEST_F(ShortcutsTest, OnceOnlyRunAtItsEnd) {
  Prepare(SimpleTopic(2), "Learning", "Random", true);
  ClickStart();
  ClickNext();
  ASSERT_EQ(F1().BtnNext->Caption(), "&End");
  ASSERT_EQ(StartCaption(), "&Reset");
  Ctrl(*F1().BtnAbout, tk::vk::Next);
  EXPECT_EQ(StartCaption(), "&Reset");
  Ctrl(*F1().BtnNext, tk::vk::Next);
  EXPECT_EQ(StartCaption(), "&Start");
}

TEST_F(ShortcutsTest, NothingWhileIdleOrInPracticeAndTest) {
  RegularRunAt(5, 3);
  ClickStart();  // Stop: the focus may stay on a run button
  for (const char* name : {"BtnNext", "BtnPrevious", "BtnSearch", "BtnAbout", "BtnStartStop"}) {
    tk::Control& c = tk::testing::ControlNamed(F1(), name);
    c.SetEnabled(true);  // as if the focus had been left there
    for (uint16_t key : {tk::vk::Home, tk::vk::End, tk::vk::Prior, tk::vk::Next}) {
      Ctrl(c, key);
      EXPECT_EQ(Number(), "0  of  5") << name << " " << key;
      EXPECT_EQ(F1().MemoQuestion->LineCount(), 0) << name;
    }
  }
}

class ShortcutsModeTest : public ShortcutsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShortcutsModeTest, NoCtrlShortcutOutsideLearning) {
  Prepare(SimpleTopic(5), GetParam());
  ClickStart();
  const uint16_t at = U().Run.Counter;
  const uint16_t shown = U().Run.QuestionsShown;
  for (uint16_t key : {tk::vk::Home, tk::vk::End, tk::vk::Prior, tk::vk::Next}) {
    Ctrl(*F1().BtnStartStop, key);
    Ctrl(*F1().BtnAbout, key);
  }
  EXPECT_EQ(U().Run.Counter, at);
  EXPECT_EQ(U().Run.QuestionsShown, shown);
}

INSTANTIATE_TEST_SUITE_P(Modes, ShortcutsModeTest, ::testing::Values("Practice", "Test"));

TEST_F(ShortcutsTest, EscAndF1Anywhere) {
  RegularRunAt(5, 2);
  F1().BtnClose->SetEnabled(false);
  AnswerByClicking("Form12", "Button2");
  ASSERT_TRUE(F1().CbxSubject->SetFocus() || F1().BtnAbout->SetFocus());
  UserKey(App(), tk::vk::Escape);
  EXPECT_EQ(Modals().back(), "Form12");
  EXPECT_EQ(Label(), "2");

  Answer("Form16", [&](tk::Form& f) {
    auto& w = static_cast<tovrek::TForm16&>(f);
    EXPECT_EQ(w.ActiveControl(), w.BtnOk);
    EXPECT_EQ(w.BtnOk->Caption(), "&Ok");
    EXPECT_EQ(w.ClientWidth(), 533);
    EXPECT_EQ(w.ClientHeight(), 185);
    UserKey(App(), tk::vk::Escape);
  });
  UserKey(App(), tk::vk::F1, kCtrl);
  EXPECT_EQ(Modals().back(), "Form16");
  EXPECT_EQ(Label(), "2");
  AnswerByClicking("Form16", "BtnOk");
  UserKey(App(), tk::vk::F1);
  EXPECT_EQ(Modals().size(), 3u);
}

TEST_F(ShortcutsTest, BackspaceInTheListsChangesNothing) {
  WriteTopic("Subject", "Topic", SimpleTopic(3));
  Start();
  for (tk::DropDownList* list : {F1().CbxSubject, F1().CbxTopic, F1().CbxMode, F1().CbxSequence}) {
    const int before = list->ItemIndex();
    ASSERT_TRUE(list->SetFocus()) << list->Name();
    UserKey(App(), tk::vk::Back);
    EXPECT_EQ(list->ItemIndex(), before) << list->Name();
  }
}

}  // namespace
}  // namespace tovrek_test
