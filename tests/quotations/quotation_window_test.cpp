// The quotation window as a learner meets it: opened from the idle
// question panel, typed out on the clock, "Another" through all 500, and
// closed by every way.
#include <set>

#include "platform/random.h"
#include "quotations/Tovrek_Unit13.h"
#include "support/program_fixture.h"

namespace tovrek_test {
namespace {

using tk::testing::UserClick;
using tovrek::TForm13;

class QuotationWindowTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    WriteTopic("Maths", "Sums", SimpleTopic(3));
    Start();
  }

  // Clicks the question panel and runs `act` while the window is up.
  void WithQuotations(std::function<void(TForm13&)> act) {
    Answer("Form13", [act](tk::Form& f) { act(static_cast<TForm13&>(f)); });
    UserClick(*F1().PnlQuestion);
  }

  tovrek::Unit13State& S() { return P().Unit13; }
  std::string Text(TForm13& q) const { return q.S.Table.QuoteArray[q.S.QuoteCounter]; }
  std::string AuthorLine(TForm13& q) const { return tovrek::AuthorLine(q.S.Table.AuthorArray[q.S.QuoteCounter]); }

  // Ticks the typing timer one interval at a time until it stops, for at
  // most 1000 ticks.
  int TypeOut(TForm13& q) {
    int ticks = 0;
    while (q.Timer1->Enabled()) {
      if (ticks == 1000) {
        ADD_FAILURE() << "Form13.Timer1 still typing after " << ticks << " ticks";
        break;
      }
      Clock().Advance(tovrek::kTypingIntervalMs);
      ++ticks;
    }
    return ticks;
  }
  std::string Focused(TForm13& q) {
    tk::Control* c = q.ActiveControl();
    return c == nullptr ? "" : c->Name();
  }
};

TEST_F(QuotationWindowTest, OpeningShowsAWholeQuotationWithTheMainWindowHidden) {
  // Flags left by a run: the opening clears those of the slots in use only.
  U().Run.ShownFlags[7] = true;
  U().Run.ShownFlags[600] = true;
  Clock().SetWallClockSeed(0x1234567);
  plat::SetRandSeed(0x1234567);
  const uint16_t expected = static_cast<uint16_t>(plat::Random(500) + 1);
  plat::SetRandSeed(99);

  bool shown = false;
  WithQuotations([&](TForm13& q) {
    shown = true;
    EXPECT_FALSE(F1().Visible());
    EXPECT_EQ(q.S.QuoteCounter, expected);
    EXPECT_EQ(q.LblQuote->Caption(), Text(q));
    EXPECT_EQ(q.LblAuthor->Caption(), AuthorLine(q));
    EXPECT_EQ(q.LblAuthor->Caption().back(), ' ');
    EXPECT_TRUE(q.BtnAnother->Enabled());
    EXPECT_EQ(q.BtnAnother->Caption(), "&Another please ...");
    EXPECT_EQ(Focused(q), "BtnClose");
    EXPECT_FALSE(q.Timer1->Enabled());
    EXPECT_EQ(q.S.QuotesShownCount, 1);
    for (uint16_t i = 1; i <= 500; ++i) EXPECT_EQ(U().Run.ShownFlags[i], i == expected) << i;
    EXPECT_TRUE(U().Run.ShownFlags[600]);
    q.BtnClose->Click();
  });
  EXPECT_TRUE(shown);
  EXPECT_TRUE(F1().Visible());
  EXPECT_EQ(App().ActiveForm(), &F1());
}

TEST_F(QuotationWindowTest, AnotherTypesTheTextThenTheAuthorOnTheClock) {
  WithQuotations([&](TForm13& q) {
    const uint16_t first = q.S.QuoteCounter;
    UserClick(*q.BtnAnother);
    EXPECT_NE(q.S.QuoteCounter, first);
    EXPECT_EQ(q.LblQuote->Caption(), "");
    EXPECT_EQ(q.LblAuthor->Caption(), "");
    EXPECT_FALSE(q.BtnAnother->Enabled());
    ASSERT_TRUE(q.Timer1->Enabled());
    EXPECT_EQ(q.Timer1->Interval(), 20u);
    const std::string text = Text(q), line = AuthorLine(q);
    const size_t L = text.size(), M = line.size();

    // Not a tick before its interval.
    Clock().Advance(19);
    EXPECT_EQ(q.LblQuote->Caption(), "");
    Clock().Advance(1);
    EXPECT_EQ(q.LblQuote->Caption(), text.substr(0, 1));
    for (size_t k = 2; k <= L; ++k) Clock().Advance(20);
    EXPECT_EQ(q.LblQuote->Caption(), text);
    EXPECT_EQ(q.LblAuthor->Caption(), "");

    // Tick L + 1: the pause comes before the author's first letter.
    std::string authorDuringPause = "unseen";
    Clock().SetSleepListener([&](uint32_t ms) {
      if (ms == tovrek::kPauseAfterQuoteMs) authorDuringPause = q.LblAuthor->Caption();
    });
    Clock().ClearSleeps();
    Clock().Advance(20);
    Clock().SetSleepListener(nullptr);
    EXPECT_EQ(Clock().Sleeps(), std::vector<uint32_t>{500});
    EXPECT_EQ(authorDuringPause, "");
    EXPECT_EQ(q.LblAuthor->Caption(), "~");
    // The tick that slept ticks once more after it, not once for every
    // interval the sleep took.
    Clock().Advance(1000);
    EXPECT_EQ(q.LblAuthor->Caption(), "~ ");

    for (size_t k = 3; k <= M; ++k) Clock().Advance(20);
    EXPECT_EQ(q.LblAuthor->Caption(), line);
    EXPECT_TRUE(q.Timer1->Enabled());
    Clock().ClearSleeps();
    Clock().Advance(20);
    EXPECT_FALSE(q.Timer1->Enabled());
    EXPECT_EQ(Clock().Sleeps(), std::vector<uint32_t>{300});
    EXPECT_EQ(q.LblQuote->Caption(), text);
    EXPECT_EQ(q.LblAuthor->Caption(), line);
    EXPECT_TRUE(q.BtnAnother->Enabled());
    EXPECT_EQ(Focused(q), "BtnAnother");

    // The label wraps at 391 and grows down from 75; the author line keeps
    // its right edge at 419 and its top at 168.
    EXPECT_EQ(q.LblQuote->Left(), 32);
    EXPECT_EQ(q.LblQuote->Top(), 75);
    EXPECT_EQ(q.LblQuote->Width(), 391);
    EXPECT_EQ(q.LblAuthor->Left() + q.LblAuthor->Width(), 419);
    EXPECT_EQ(q.LblAuthor->Top(), 168);
    EXPECT_EQ(q.LblAuthor->GetAlignment(), tk::Alignment::Right);
    q.BtnClose->Click();
  });
}

TEST_F(QuotationWindowTest, AllFiveHundredOnceEachTheLastWithoutADraw) {
  WithQuotations([&](TForm13& q) {
    std::set<uint16_t> seen{q.S.QuoteCounter};
    for (int press = 1; press <= 498; ++press) {
      ASSERT_TRUE(q.BtnAnother->Enabled()) << press;
      UserClick(*q.BtnAnother);
      EXPECT_TRUE(seen.insert(q.S.QuoteCounter).second) << "repeat at press " << press;
      TypeOut(q);
    }
    ASSERT_EQ(seen.size(), 499u);
    uint16_t lowestLeft = 0;
    for (uint16_t i = 1; i <= 500 && lowestLeft == 0; ++i)
      if (!U().Run.ShownFlags[i]) lowestLeft = i;
    ASSERT_NE(lowestLeft, 0);

    UserClick(*q.BtnAnother);
    EXPECT_EQ(q.S.QuoteCounter, lowestLeft);
    EXPECT_EQ(q.BtnAnother->Caption(), "That's all for now ...");
    EXPECT_FALSE(q.BtnAnother->Enabled());
    const std::string last = Text(q);
    TypeOut(q);
    EXPECT_EQ(q.LblQuote->Caption(), last);
    EXPECT_EQ(q.S.QuotesShownCount, 500);
    EXPECT_FALSE(q.BtnAnother->Enabled());
    EXPECT_EQ(Focused(q), "BtnClose");

    // Pressed from code once more: nothing is left, and nothing changes.
    q.BtnAnother->Click();
    EXPECT_FALSE(q.Timer1->Enabled());
    EXPECT_EQ(q.LblQuote->Caption(), last);
    EXPECT_EQ(q.S.QuoteCounter, lowestLeft);
    EXPECT_EQ(q.S.QuotesShownCount, 500);
    q.BtnClose->Click();
  });
  // Reopening starts a new cycle.
  WithQuotations([&](TForm13& q) {
    EXPECT_EQ(q.BtnAnother->Caption(), "&Another please ...");
    EXPECT_TRUE(q.BtnAnother->Enabled());
    EXPECT_EQ(q.S.QuotesShownCount, 1);
    UserClick(*q.BtnAnother);
    EXPECT_TRUE(q.Timer1->Enabled());
    q.BtnClose->Click();
  });
}

// Every way out, in the middle of typing.
class QuotationCloseTest : public QuotationWindowTest, public ::testing::WithParamInterface<const char*> {};

void CloseBy(const std::string& way, tk::Application& app, TForm13& q) {
  if (way == "ThankYou") {
    UserClick(*q.BtnClose);
  } else if (way == "EscOnThankYou") {
    q.BtnClose->SetFocus();
    tk::testing::UserKey(app, tk::vk::Escape);
  } else if (way == "ShiftEscOnAnother") {
    q.BtnAnother->SetEnabled(true);
    q.BtnAnother->SetFocus();
    tk::testing::UserKey(app, tk::vk::Escape, tk::ShiftState{true, false, false});
  } else {
    tk::testing::UserCloseWindow(q);
  }
}

TEST_P(QuotationCloseTest, StopsTheTypingAndBringsTheMainWindowBackAsItWas) {
  const std::string way = GetParam();
  tovrek::TForm1& f = F1();
  // A state the main window's activation would undo: its Refresh resets the
  // mode and sequence and clears automatic advance.
  tk::testing::UserPick(*f.CbxMode, f.CbxMode->IndexOf("Practice"));
  tk::testing::UserPick(*f.CbxSequence, f.CbxSequence->IndexOf("Random"));
  U().AutoAdvanceOn = true;
  f.SetColor(tk::clNavy);
  const std::string subject = f.CbxSubject->Text(), topic = f.CbxTopic->Text();

  WithQuotations([&](TForm13& q) {
    UserClick(*q.BtnAnother);
    for (int k = 0; k < 5; ++k) Clock().Advance(20);
    ASSERT_TRUE(q.Timer1->Enabled());
    CloseBy(way, App(), q);
  });
  EXPECT_FALSE(P().Form13->Timer1->Enabled());
  EXPECT_FALSE(P().Form13->Visible());
  EXPECT_TRUE(f.Visible());
  EXPECT_EQ(App().ActiveForm(), &f);
  EXPECT_EQ(f.CbxSubject->Text(), subject);
  EXPECT_EQ(f.CbxTopic->Text(), topic);
  EXPECT_EQ(f.CbxMode->Text(), "Practice");
  EXPECT_EQ(f.CbxSequence->Text(), "Random");
  EXPECT_TRUE(U().AutoAdvanceOn);
  EXPECT_EQ(f.GetColor(), tk::clNavy);

  // Time passing with the window closed types nothing.
  const std::string left = P().Form13->LblQuote->Caption();
  Clock().Advance(200);
  EXPECT_EQ(P().Form13->LblQuote->Caption(), left);

  // Reopened, the next "Another" types the text first.
  WithQuotations([&](TForm13& q) {
    UserClick(*q.BtnAnother);
    Clock().Advance(20);
    EXPECT_EQ(q.LblQuote->Caption(), Text(q).substr(0, 1));
    EXPECT_EQ(q.LblAuthor->Caption(), "");
    q.BtnClose->Click();
  });
}

INSTANTIATE_TEST_SUITE_P(Ways, QuotationCloseTest,
                         ::testing::Values("ThankYou", "EscOnThankYou", "ShiftEscOnAnother", "TitleBar"));

// Every quotation, in the label's own font, ends above the author line.
TEST_F(QuotationWindowTest, EveryQuotationFitsAboveTheAuthorLine) {
  TForm13& q = *P().Form13;
  size_t longest = 0;
  for (uint16_t i = 1; i <= tovrek::kQuotesInUse; ++i) {
    const std::string& text = S().Table.QuoteArray[i];
    longest = std::max(longest, text.size());
    q.LblQuote->SetWidth(TForm13::kQuoteWidth);
    q.LblQuote->SetCaption(text);
    EXPECT_EQ(q.LblQuote->Width(), TForm13::kQuoteWidth);
    EXPECT_LE(q.LblQuote->Top() + q.LblQuote->Height(), q.LblAuthor->Top()) << "slot " << i << ": " << text;
  }
  EXPECT_GE(longest, 150u);
}

}  // namespace
}  // namespace tovrek_test
