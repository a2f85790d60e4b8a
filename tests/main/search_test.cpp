// The search window as a learner uses it during a Learning run: typing,
// the first-character filter, Enter, the matches and the steps through
// them, and the way back to the run.
#include "main/Tovrek_Unit14.h"
#include "main/run_support.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;
using tk::testing::UserKey;
using tk::testing::UserType;

class SearchTest : public RunTest {
 protected:
  tovrek::TForm14& F14() { return *P().Form14; }
  // A Regular Learning run over the texts, question i answered "Answer i".
  void StartRun(const std::vector<std::string>& questions, const std::string& sequence = "Regular") {
    std::vector<Record> records;
    for (size_t i = 0; i < questions.size(); ++i) {
      const std::string n = std::to_string(i + 1);
      records.push_back({n, "", "FONT", {questions[i]}, {"Answer " + n}});
    }
    Prepare(TopicText(records), "Learning", sequence);
    ClickStart();
  }
  // Opens the search window, runs `act` in it, then leaves it with Esc.
  void InSearch(const std::function<void(tovrek::TForm14&)>& act) {
    Answer("Form14", [this, act](tk::Form&) {
      act(F14());
      UserKey(App(), tk::vk::Escape);
    });
    UserClick(*F1().BtnSearch);
  }
  struct Look {
    std::string caption, label;
    int left;
    tk::Color colour;
    bool previous, next, search;
  };
  Look LookNow() {
    tovrek::TForm14& s = F14();
    return {s.Caption(),        s.LblMatchesFound->Caption(), s.LblMatchesFound->Left(), s.GetColor(),
            s.BtnSearchPrevious->Enabled(), s.BtnSearchNext->Enabled(), s.BtnSearch->Enabled()};
  }
  std::string FocusIn14() {
    tk::Control* c = F14().ActiveControl();
    return c ? c->Name() : "";
  }
};

TEST_F(SearchTest, FirstCharacterFilter) {
  StartRun({"Paris is in France", "Rome"});
  InSearch([&](tovrek::TForm14& s) {
    EXPECT_EQ(s.Caption(), "Search");
    EXPECT_EQ(FocusIn14(), "EdtSearch");
    // Refused first characters leave the box empty and Search disabled.
    for (const char* refused : {" ", "\"", "'", "*", "+", "/", ":", ";", "<", "=", ">", "?", "\\", "`", "|"}) {
      UserType(App(), refused);
      EXPECT_EQ(s.EdtSearch->Text(), "") << refused;
      EXPECT_FALSE(s.BtnSearch->Enabled()) << refused;
    }
    // A letter that arrives without a key press of its own (an input
    // method's commit, a character beyond Latin-1) meets the same rule.
    for (const char* beyond : {"\xc3\xa9", "\xe2\x82\xac"}) {
      s.EdtSearch->SetText(beyond);
      EXPECT_EQ(s.EdtSearch->Text(), "") << beyond;
      EXPECT_FALSE(s.BtnSearch->Enabled());
    }
    // An accepted one enables Search; later characters are not filtered.
    UserType(App(), "a *?");
    EXPECT_EQ(s.EdtSearch->Text(), "a *?");
    EXPECT_TRUE(s.BtnSearch->Enabled());
    UserKey(App(), tk::vk::Back);
    UserKey(App(), tk::vk::Back);
    UserKey(App(), tk::vk::Back);
    UserKey(App(), tk::vk::Back);
    EXPECT_EQ(s.EdtSearch->Text(), "");
    EXPECT_FALSE(s.BtnSearch->Enabled());
    for (const char* accepted : {"!", "#", "$", "%", "&", "(", ")", ",", "-", ".", "0", "9", "@", "A", "Z", "[",
                                 "]", "^", "_", "a", "z", "{", "}", "~"}) {
      UserType(App(), accepted);
      EXPECT_EQ(s.EdtSearch->Text(), accepted) << accepted;
      EXPECT_TRUE(s.BtnSearch->Enabled()) << accepted;
      s.EdtSearch->SetText("");
    }
  });
}

TEST_F(SearchTest, OneMatchSeveralAndNone) {
  StartRun({"Where is Paris?", "Rome", "PARIS again", "paris, France", "Berlin"});
  InSearch([&](tovrek::TForm14& s) {
    UserType(App(), "paris");
    UserKey(App(), tk::vk::Return);
    Look l = LookNow();
    EXPECT_EQ(l.caption, "Found  1/3");
    EXPECT_EQ(l.label, "Tovrek found 3 questions");
    EXPECT_EQ(l.left, 44);
    EXPECT_EQ(l.colour, tk::clLime);
    EXPECT_FALSE(l.previous);
    EXPECT_TRUE(l.next);
    EXPECT_EQ(FocusIn14(), "BtnSearchNext");
    EXPECT_EQ(Number(), "1  of  5");
    UserClick(*s.BtnSearchNext);
    EXPECT_EQ(s.Caption(), "Found  2/3");
    EXPECT_EQ(Number(), "3  of  5");
    EXPECT_TRUE(s.BtnSearchPrevious->Enabled());
    UserClick(*s.BtnSearchNext);
    EXPECT_EQ(s.Caption(), "Found  3/3");
    EXPECT_EQ(Number(), "4  of  5");
    EXPECT_FALSE(s.BtnSearchNext->Enabled());
    EXPECT_EQ(FocusIn14(), "EdtSearch");
    UserClick(*s.BtnSearchPrevious);
    UserClick(*s.BtnSearchPrevious);
    EXPECT_EQ(s.Caption(), "Found  1/3");
    EXPECT_FALSE(s.BtnSearchPrevious->Enabled());
    EXPECT_EQ(Number(), "1  of  5");

    // Enter selected the text: typing replaces it. One match.
    s.EdtSearch->SetText("berlin");
    l = LookNow();
    EXPECT_EQ(l.caption, "Search");
    EXPECT_EQ(l.colour, tk::clMoneyGreen);
    EXPECT_EQ(l.label, "Enter a word / phrase ...");
    EXPECT_EQ(l.left, 45);
    UserKey(App(), tk::vk::Return);
    l = LookNow();
    EXPECT_EQ(l.caption, "Found  1/1");
    EXPECT_EQ(l.label, "Tovrek found 1 question");
    EXPECT_EQ(l.left, 46);
    EXPECT_FALSE(l.previous);
    EXPECT_FALSE(l.next);
    EXPECT_EQ(Number(), "5  of  5");

    s.EdtSearch->SetText("London");
    UserKey(App(), tk::vk::Return);
    l = LookNow();
    EXPECT_EQ(l.caption, "Search");
    EXPECT_EQ(l.label, "Tovrek found 0 questions");
    EXPECT_EQ(l.left, 44);
    EXPECT_EQ(l.colour, tk::clYellow);
    EXPECT_EQ(Number(), "5  of  5");  // stays
  });
  // Closed on the last question of a Regular run.
  EXPECT_TRUE(F1().BtnPrevious->Enabled());
  EXPECT_FALSE(F1().BtnNext->Enabled());
  for (tk::Control* c : std::initializer_list<tk::Control*>{F1().BtnSearch, F1().BtnStartStop, F1().BtnBrowser,
                                                            F1().BtnAbout, F1().BtnClose})
    EXPECT_TRUE(c->Enabled()) << c->Name();
  EXPECT_EQ(Focused(), "BtnSearch");
  EXPECT_EQ(F14().GetColor(), tk::clMoneyGreen);
}

// Closing gives Next and Back back by the question on display: in Regular
// as its place says, in Random Next always (Back stays hidden there).
struct CloseCase {
  const char* name;
  const char* sequence;
  const char* search;  // finds one question
  bool back, next;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class SearchCloseTest : public SearchTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(SearchCloseTest, NextAndBackFollowTheQuestionOnDisplay) {
  const CloseCase& c = GetParam();
  StartRun({"Alpha", "Beta", "Gamma"}, c.sequence);
  InSearch([&](tovrek::TForm14&) {
    UserType(App(), c.search);
    UserKey(App(), tk::vk::Return);
  });
  EXPECT_EQ(QuestionLines(), std::vector<std::string>{std::string(c.search)});
  EXPECT_EQ(F1().BtnPrevious->Enabled(), c.back);
  EXPECT_EQ(F1().BtnNext->Enabled(), c.next);
  EXPECT_TRUE(F1().BtnStartStop->Enabled());
}

INSTANTIATE_TEST_SUITE_P(Places, SearchCloseTest,
                         ::testing::Values(CloseCase{"RegularFirst", "Regular", "Alpha", false, true},
                                           CloseCase{"RegularMiddle", "Regular", "Beta", true, true},
                                           CloseCase{"RegularLast", "Regular", "Gamma", true, false},
                                           CloseCase{"RandomFirst", "Random", "Alpha", false, true},
                                           CloseCase{"RandomMiddle", "Random", "Beta", false, true},
                                           CloseCase{"RandomLast", "Random", "Gamma", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchTest, AnswerMatchesAndBothListedOnce) {
  StartRun({"Capital of France", "Answer 2 is here", "Other"});
  InSearch([&](tovrek::TForm14&) {
    UserType(App(), "answer 2");
    UserKey(App(), tk::vk::Return);
    // Question 2 matches in both texts; the answer of 2 too; nothing else.
    EXPECT_EQ(F14().Caption(), "Found  1/1");
    EXPECT_EQ(Number(), "2  of  3");
  });
  EXPECT_TRUE(F1().BtnPrevious->Enabled());
  EXPECT_TRUE(F1().BtnNext->Enabled());
}

TEST_F(SearchTest, LabelPlaceByCount) {
  std::vector<std::string> texts(120, "common word");
  StartRun(texts);
  struct Case {
    int matching;
    int left;
  };
  for (const Case c : {Case{9, 44}, Case{10, 40}, Case{99, 40}, Case{100, 37}}) {
    for (int i = 1; i <= 120; ++i)
      U().Questions.SearchQuestionTexts[static_cast<uint16_t>(i)] = i <= c.matching ? "common" : "x";
    for (int i = 1; i <= 120; ++i) U().Questions.SearchAnswerTexts[static_cast<uint16_t>(i)] = "y";
    InSearch([&](tovrek::TForm14& s) {
      s.EdtSearch->SetText("common");
      UserKey(App(), tk::vk::Return);
      EXPECT_EQ(s.LblMatchesFound->Left(), c.left) << c.matching;
      EXPECT_EQ(s.Caption(), "Found  1/" + std::to_string(c.matching));
    });
  }
}

TEST_F(SearchTest, TextKeptAndStepsDisabledOnReopening) {
  StartRun({"alpha", "alpha", "beta"});
  InSearch([&](tovrek::TForm14&) {
    UserType(App(), "alpha");
    UserKey(App(), tk::vk::Return);
  });
  EXPECT_EQ(Focused(), "BtnSearch");
  InSearch([&](tovrek::TForm14& s) {
    EXPECT_EQ(s.EdtSearch->Text(), "alpha");
    EXPECT_TRUE(s.BtnSearch->Enabled());
    EXPECT_FALSE(s.BtnSearchNext->Enabled());
    EXPECT_FALSE(s.BtnSearchPrevious->Enabled());
    EXPECT_EQ(s.Caption(), "Search");
  });
  // Closed at question 1: Back disabled, Next enabled.
  EXPECT_EQ(Number(), "1  of  3");
  EXPECT_FALSE(F1().BtnPrevious->Enabled());
  EXPECT_TRUE(F1().BtnNext->Enabled());
}

TEST_F(SearchTest, EightBitTextsMatchInTheirOwnEncoding) {
  // Question 1 stored in Windows-1252, question 2 in UTF-8, 3 holds "?".
  StartRun({"caf\xe9 noir", "caf\xc3\xa9 au lait", "why?", "Caf\xc9"});
  InSearch([&](tovrek::TForm14& s) {
    s.EdtSearch->SetText("caf\xc3\xa9");  // typed "café"
    UserKey(App(), tk::vk::Return);
    EXPECT_EQ(s.Caption(), "Found  1/2");
    UserClick(*s.BtnSearchNext);
    EXPECT_EQ(Number(), "2  of  4");
    // The accented capital matches only itself.
    s.EdtSearch->SetText("CAF\xc3\x89");
    UserKey(App(), tk::vk::Return);
    EXPECT_EQ(s.Caption(), "Found  1/1");
    EXPECT_EQ(Number(), "4  of  4");
    // Beyond Windows-1252: no match, not every "?".
    s.EdtSearch->SetText("y\xe2\x98\x83");
    UserKey(App(), tk::vk::Return);
    EXPECT_EQ(s.LblMatchesFound->Caption(), "Tovrek found 0 questions");
  });
}

TEST_F(SearchTest, JumpInAOnceOnlyRunLeavesTheBookkeeping) {
  WriteTopic("Subject", "Topic", SimpleTopic(6));
  Start();
  Choose("Learning", "Random", true);
  ClickStart();
  const knowledge::RunState before = U().Run;
  InSearch([&](tovrek::TForm14&) {
    UserType(App(), "Question 4");
    UserKey(App(), tk::vk::Return);
  });
  EXPECT_EQ(U().Run.Counter, 4);
  EXPECT_EQ(U().Run.PreviousCounter, before.PreviousCounter);
  EXPECT_EQ(U().Run.QuestionsShown, before.QuestionsShown);
  for (uint16_t i = 1; i <= 6; ++i) {
    EXPECT_EQ(U().Run.ShownFlags[i], before.ShownFlags[i]) << i;
    EXPECT_EQ(U().Run.ShownQuestionList[i], before.ShownQuestionList[i]) << i;
  }
  // Outside Regular, Back stays as it was and Next is enabled.
  EXPECT_TRUE(F1().BtnNext->Enabled());
  EXPECT_FALSE(F1().BtnPrevious->Enabled());
}

}  // namespace
}  // namespace tovrek_test
