#include "quotations/quotation_model.h"

#include "platform/random.h"

namespace tovrek {

std::string AuthorLine(const std::string& author) { return "~ " + author + " ~ "; }

namespace {

uint16_t RandomSlot(uint16_t n) { return static_cast<uint16_t>(plat::Random(n) + 1); }

}  // namespace

void BeginQuoteCycle(Unit13State& s, ShownFlagArray& flags) {
  const uint16_t n = s.Table.NumberOfQuotes;
  s.QuoteCounter = RandomSlot(n);
  for (uint16_t i = 1; i <= n; ++i) flags[i] = false;
  flags[s.QuoteCounter] = true;
  s.QuotesShownCount = 1;
}

DrawResult DrawAnotherQuote(Unit13State& s, ShownFlagArray& flags) {
  const uint16_t n = s.Table.NumberOfQuotes;
  if (s.QuotesShownCount >= n - 1) {
    uint16_t last = 0;
    for (uint16_t i = 1; i <= n && last == 0; ++i)
      if (!flags[i]) last = i;
    // All shown: there is no slot to read, and the list is full.
    if (last == 0) return DrawResult::NoneLeft;
    s.ShownQuoteList[s.QuotesShownCount] = s.QuoteCounter;
    s.QuoteRepeated = false;
    s.QuoteCounter = last;
    // Marked shown, so a further press finds none left.
    flags[last] = true;
    ++s.QuotesShownCount;
    return DrawResult::LastOne;
  }
  s.ShownQuoteList[s.QuotesShownCount] = s.QuoteCounter;
  s.QuoteRepeated = false;
  do {
    s.QuoteCounter = RandomSlot(n);
    s.QuoteRepeated = false;
    for (uint16_t k = 1; k <= s.QuotesShownCount; ++k) {
      if (s.ShownQuoteList[k] == s.QuoteCounter) {
        s.QuoteRepeated = true;
        break;
      }
    }
  } while (s.QuoteRepeated);
  flags[s.QuoteCounter] = true;
  ++s.QuotesShownCount;
  return DrawResult::Drawn;
}

void BeginTyping(Unit13State& s) {
  s.QuoteLength = static_cast<uint16_t>(s.Table.QuoteArray[s.QuoteCounter].size());
  s.AuthorText = AuthorLine(s.Table.AuthorArray[s.QuoteCounter]);
  s.AuthorTextLength = static_cast<uint16_t>(s.AuthorText.size());
  s.TypingQuote = true;
  s.TypingAuthor = false;
  s.QuoteCharPos = 1;
  s.AuthorCharPos = 1;
}

TypingStep TypeOneTick(Unit13State& s) {
  TypingStep step;
  if (s.TypingQuote) {
    const std::string& text = s.Table.QuoteArray[s.QuoteCounter];
    if (s.QuoteCharPos <= text.size()) step.QuoteChars = text.substr(s.QuoteCharPos - 1, 1);
    ++s.QuoteCharPos;
    if (s.QuoteCharPos > s.QuoteLength + 1) {
      s.TypingQuote = false;
      s.TypingAuthor = true;
      step.PauseAfterQuote = true;
    }
  }
  if (s.TypingAuthor) {
    if (s.AuthorCharPos <= s.AuthorText.size()) step.AuthorChars = s.AuthorText.substr(s.AuthorCharPos - 1, 1);
    ++s.AuthorCharPos;
    if (s.AuthorCharPos > s.AuthorTextLength + 1) {
      s.TypingAuthor = false;
      step.Finished = true;
    }
  }
  return step;
}

}  // namespace tovrek
