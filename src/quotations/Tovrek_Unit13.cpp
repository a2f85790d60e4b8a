#include "quotations/Tovrek_Unit13.h"

#include "main/program.h"
#include "platform/random.h"
#include "toolkit/application.h"

namespace tovrek {

TForm13::TForm13(Program& program) : TForm13Design(program.App), P(program), S(program.Unit13) { LoadDesign(); }

void TForm13::FormCreate() {
  LoadQuotations1(S.Table);
  LoadQuotations2(S.Table);
  S.Table.NumberOfQuotes = kQuotesInUse;
}

void TForm13::FormActivate() {
  BtnAnother->SetEnabled(true);
  BtnClose->SetFocus();
  BtnAnother->SetCaption("&Another please ...");
  LblQuote->SetWidth(kQuoteWidth);
  plat::Randomize();
  BeginQuoteCycle(S, P.Unit1.Run.ShownFlags);
  LblQuote->SetCaption(S.Table.QuoteArray[S.QuoteCounter]);
  LblAuthor->SetCaption(AuthorLine(S.Table.AuthorArray[S.QuoteCounter]));
  P.Form1->Hide();
}

void TForm13::BtnAnotherClick() {
  const DrawResult drawn = DrawAnotherQuote(S, P.Unit1.Run.ShownFlags);
  if (drawn == DrawResult::NoneLeft) return;
  if (drawn == DrawResult::LastOne) {
    BtnAnother->SetEnabled(false);
    BtnAnother->SetCaption("That's all for now ...");
  }
  LblQuote->SetWidth(kQuoteWidth);
  BeginTyping(S);
  Timer1->SetInterval(kTypingIntervalMs);
  LblQuote->SetCaption("");
  LblAuthor->SetCaption("");
  Timer1->SetEnabled(true);
  BtnAnother->SetEnabled(false);
}

void TForm13::Timer1Timer() {
  const bool typingQuote = S.TypingQuote;
  const TypingStep step = TypeOneTick(S);
  if (typingQuote) {
    LblQuote->SetWidth(kQuoteWidth);
    LblQuote->SetCaption(LblQuote->Caption() + step.QuoteChars);
  }
  // Blocking on purpose: the text stands alone a moment before its author.
  if (step.PauseAfterQuote) tk::Sleep(kPauseAfterQuoteMs);
  if (!step.AuthorChars.empty()) LblAuthor->SetCaption(LblAuthor->Caption() + step.AuthorChars);
  if (!step.Finished) return;
  Timer1->SetEnabled(false);
  tk::Sleep(kPauseAfterAuthorMs);
  if (S.QuotesShownCount == S.Table.NumberOfQuotes) {
    BtnClose->SetFocus();
  } else {
    BtnAnother->SetEnabled(true);
    BtnAnother->SetFocus();
  }
}

// The main window comes back as it was: showing it does not activate it,
// so its activation (and the Refresh at its end) does not run again.
void TForm13::StopAndShowMainWindow() {
  Timer1->SetEnabled(false);
  P.Form1->ShowInactive();
}

void TForm13::BtnCloseClick() {
  StopAndShowMainWindow();
  Close();
}

void TForm13::FormClose() { StopAndShowMainWindow(); }

void TForm13::BtnAnotherKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) BtnClose->Click();
}

void TForm13::BtnCloseKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) BtnClose->Click();
}

}  // namespace tovrek
