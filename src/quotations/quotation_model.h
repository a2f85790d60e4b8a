// The quotations without a window: the table of 500, the draw without
// repeats within one opening, and the typing of one quotation, letter by
// letter. The quotation window copies the results into its controls.
#pragma once

#include <cstdint>
#include <string>

#include "knowledge/question_table.h"

namespace tovrek {

inline constexpr std::size_t kQuoteSlots = 1000;
inline constexpr uint16_t kQuotesInUse = 500;

// Texts are plain ASCII; authors are 8-bit text (Windows-1252) of at most
// 40 characters.
struct QuotationTable {
  knowledge::OneBased<std::string, kQuoteSlots> QuoteArray;
  knowledge::OneBased<std::string, kQuoteSlots> AuthorArray;
  uint16_t NumberOfQuotes = 0;
};

// Slots 1 to 250 and 251 to 500, each one fixed text and author.
void LoadQuotations1(QuotationTable& t);
void LoadQuotations2(QuotationTable& t);
inline constexpr std::size_t kMaxAuthorLength = 40;

// "~ " + author + " ~ ": the line ends with a blank.
std::string AuthorLine(const std::string& author);

// Unit-level state of the quotation window's unit. The shown flags are the
// main window's (RunState::ShownFlags), passed in.
struct Unit13State {
  QuotationTable Table;
  uint16_t QuoteCounter = 1;
  uint16_t QuotesShownCount = 0;
  knowledge::OneBased<uint16_t, kQuoteSlots> ShownQuoteList;
  bool QuoteRepeated = false;
  std::string AuthorText;
  uint16_t QuoteLength = 0;
  uint16_t AuthorTextLength = 0;
  bool TypingQuote = false;
  bool TypingAuthor = false;
  uint16_t QuoteCharPos = 1;
  uint16_t AuthorCharPos = 1;
};

using ShownFlagArray = knowledge::OneBased<bool, knowledge::kMaxQuestions>;

// An opening: a random slot (the generator reseeded by the caller), the
// flags of the slots in use cleared and that one set, one shown.
void BeginQuoteCycle(Unit13State& s, ShownFlagArray& flags);

enum class DrawResult {
  Drawn,    // a slot not yet shown in this opening
  LastOne,  // the only slot left, taken without a draw
  NoneLeft  // every slot has been shown: nothing changed
};
// "Another": the slot on display joins the shown list and the next one is
// chosen. With 499 shown the last clear slot is taken directly; when none
// is left (the button pressed from code after the last), nothing changes.
DrawResult DrawAnotherQuote(Unit13State& s, ShownFlagArray& flags);

// Typing state for the slot now in QuoteCounter.
void BeginTyping(Unit13State& s);

// What one typing tick did.
struct TypingStep {
  std::string QuoteChars;   // appended to the quotation label ("" or one)
  bool PauseAfterQuote = false;  // the text is done: 500 ms before the author
  std::string AuthorChars;  // appended to the author label
  bool Finished = false;    // the author line is done: timer off, 300 ms
};
// One tick, as the window's timer handler performs it.
TypingStep TypeOneTick(Unit13State& s);

inline constexpr uint32_t kTypingIntervalMs = 20;
inline constexpr uint32_t kPauseAfterQuoteMs = 500;
inline constexpr uint32_t kPauseAfterAuthorMs = 300;

}  // namespace tovrek
