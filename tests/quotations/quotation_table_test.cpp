// The quotation table's shape: what the window relies on to show and type
// every slot.
#include <gtest/gtest.h>

#include <map>

#include "platform/text8.h"
#include "quotations/quotation_model.h"

namespace {

using tovrek::QuotationTable;

class QuotationTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tovrek::LoadQuotations1(table);
    tovrek::LoadQuotations2(table);
  }
  QuotationTable table;
};

TEST_F(QuotationTableTest, FiveHundredSlotsOfOneLinePrintableTextAndAnAuthor) {
  for (std::size_t i = 1; i <= tovrek::kQuotesInUse; ++i) {
    const std::string& text = table.QuoteArray[i];
    const std::string& author = table.AuthorArray[i];
    EXPECT_GE(text.size(), 32u) << "slot " << i;
    EXPECT_LE(text.size(), 231u) << "slot " << i;
    for (char c : text) {
      // Printable ASCII only: no line breaks, no 8-bit letters.
      EXPECT_TRUE(c >= 32 && c < 127) << "slot " << i << ": " << text;
    }
    // The author line is marked off by tildes.
    EXPECT_EQ(text.find('~'), std::string::npos) << "slot " << i;
    EXPECT_EQ(author.find('~'), std::string::npos) << "slot " << i;
    EXPECT_GE(author.size(), 5u) << "slot " << i;
    EXPECT_LE(author.size(), 33u) << "slot " << i;
    EXPECT_LE(author.size(), tovrek::kMaxAuthorLength);
  }
  for (std::size_t i = tovrek::kQuotesInUse + 1; i <= tovrek::kQuoteSlots; ++i) {
    EXPECT_TRUE(table.QuoteArray[i].empty()) << "slot " << i;
    EXPECT_TRUE(table.AuthorArray[i].empty()) << "slot " << i;
  }
}

TEST_F(QuotationTableTest, AuthorsProverbsAccentAndRepeatedTexts) {
  std::map<std::string, int> byText, byAuthor;
  for (std::size_t i = 1; i <= tovrek::kQuotesInUse; ++i) {
    ++byText[table.QuoteArray[i]];
    ++byAuthor[table.AuthorArray[i]];
  }
  int twice = 0;
  for (const auto& [text, n] : byText) {
    EXPECT_LE(n, 2) << text;
    if (n == 2) ++twice;
  }
  EXPECT_EQ(twice, 12);
  EXPECT_EQ(byAuthor.size(), 304u) << "different author strings";
  EXPECT_EQ(byAuthor["Marrish proverb"], 8);

  // One author holds an accented letter, stored as its one 8-bit byte and
  // shown as that letter.
  int accented = 0;
  for (const auto& [author, n] : byAuthor) {
    bool eightBit = false;
    for (char c : author) eightBit = eightBit || static_cast<unsigned char>(c) >= 128;
    if (!eightBit) continue;
    ++accented;
    EXPECT_FALSE(plat::IsValidUtf8(author));
    EXPECT_EQ(plat::DisplayText(author), "Ren\xC3\xA9" "e Dalvoss");
  }
  EXPECT_EQ(accented, 1);
}

TEST(AuthorLineTest, TildesAroundTheAuthorAndATrailingBlank) {
  EXPECT_EQ(tovrek::AuthorLine("Ivo Vant"), "~ Ivo Vant ~ ");
}

// The draw's bounds, without a window.
TEST(QuoteDrawTest, EverySlotOnceThenNothingLeft) {
  tovrek::Unit13State s;
  s.Table.NumberOfQuotes = 5;
  tovrek::ShownFlagArray flags;
  flags.fill(true);  // left over from a run
  tovrek::BeginQuoteCycle(s, flags);
  std::vector<int> seen(6, 0);
  ++seen[s.QuoteCounter];
  for (int press = 1; press <= 4; ++press) {
    const tovrek::DrawResult r = tovrek::DrawAnotherQuote(s, flags);
    EXPECT_EQ(r, press == 4 ? tovrek::DrawResult::LastOne : tovrek::DrawResult::Drawn) << press;
    ++seen[s.QuoteCounter];
  }
  for (int slot = 1; slot <= 5; ++slot) EXPECT_EQ(seen[slot], 1) << slot;
  EXPECT_EQ(s.QuotesShownCount, 5);
  // Flags beyond the slots in use are the run's and stay as they were.
  EXPECT_TRUE(flags[6]);
  const uint16_t last = s.QuoteCounter;
  EXPECT_EQ(tovrek::DrawAnotherQuote(s, flags), tovrek::DrawResult::NoneLeft);
  EXPECT_EQ(s.QuoteCounter, last);
  EXPECT_EQ(s.QuotesShownCount, 5);
}

TEST(QuoteTypingTest, TextThenAuthorInLPlusMPlusOneTicks) {
  tovrek::Unit13State s;
  s.Table.QuoteArray[1] = "Abc";
  s.Table.AuthorArray[1] = "De";
  s.QuoteCounter = 1;
  tovrek::BeginTyping(s);
  const std::string line = "~ De ~ ";
  std::string text, author;
  int ticks = 0, pauses = 0;
  bool finished = false;
  while (!finished && ticks < 100) {
    const tovrek::TypingStep step = tovrek::TypeOneTick(s);
    ++ticks;
    text += step.QuoteChars;
    author += step.AuthorChars;
    if (step.PauseAfterQuote) {
      ++pauses;
      EXPECT_EQ(ticks, 4);
      EXPECT_EQ(step.AuthorChars, "~");
    }
    finished = step.Finished;
  }
  EXPECT_EQ(ticks, 3 + 7 + 1);
  EXPECT_EQ(pauses, 1);
  EXPECT_EQ(text, "Abc");
  EXPECT_EQ(author, line);
  EXPECT_FALSE(s.TypingQuote);
  EXPECT_FALSE(s.TypingAuthor);
}

}  // namespace
