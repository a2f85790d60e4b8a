#include "platform/text8.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Conversion {
  const char* label;
  std::string in;
  std::string out;
};

TEST(DisplayTextTest, Utf8KeptElseWindows1252) {
  const Conversion cases[] = {
      {"ASCII", "Question 1", "Question 1"},
      {"valid UTF-8", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {"Latin-1 letter", "caf\xE9", "caf\xC3\xA9"},
      {"euro sign", "\x80", "\xE2\x82\xAC"},
      {"curly quotes", "\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
      {"dashes and trade mark", "\x96\x97\x99", "\xE2\x80\x93\xE2\x80\x94\xE2\x84\xA2"},
      {"unused bytes become C1 controls", "\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
      {"y diaeresis", "\x9F\xFF", "\xC5\xB8\xC3\xBF"},
      {"one bad byte makes the whole text 1252", "\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},
      {"overlong form is not UTF-8", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
      {"surrogate is not UTF-8", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"cut-off sequence", "\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},
      {"empty", "", ""},
  };
  for (const Conversion& c : cases) EXPECT_EQ(plat::DisplayText(c.in), c.out) << c.label;
}

TEST(TypedTextTest, InvalidSequencesReplaced) {
  const std::string bad = "\xEF\xBF\xBD";
  const Conversion cases[] = {
      {"valid", "na\xC3\xAFve \xF0\x9F\x98\x80", "na\xC3\xAFve \xF0\x9F\x98\x80"},
      {"stray byte", "a\xFF" "b", "a" + bad + "b"},
      {"cut-off at the end", "x\xE2\x82", "x" + bad},
      {"cut-off before ASCII", "\xE2\x82y", bad + "y"},
      {"overlong", "\xC0\xAF", bad + bad},
      {"overlong of three bytes", "\xE0\x80\xAF", bad + bad + bad},
      {"surrogate", "\xED\xA0\x80", bad + bad + bad},
      {"above U+10FFFF", "\xF4\x90\x80\x80", bad + bad + bad + bad},
      {"lone continuation", "\x80", bad},
  };
  for (const Conversion& c : cases) {
    EXPECT_EQ(plat::TypedText(c.in), c.out) << c.label;
    EXPECT_TRUE(plat::IsValidUtf8(plat::TypedText(c.in))) << c.label;
  }
}

TEST(UpperCaseTest, OnlyAsciiLetters) {
  EXPECT_EQ(plat::UpperCase("stretched"), "STRETCHED");
  EXPECT_EQ(plat::UpperCase("[q1] a-z {`~} caf\xE9 \xC3\xA9"), "[Q1] A-Z {`~} CAF\xE9 \xC3\xA9");
}

// Upper-casing a to z, then unsigned bytes: where lower-casing would differ
// ('_' and '`' lie between the capitals and the small letters) and where
// signed bytes would (8-bit letters after ASCII).
TEST(CompareTextTest, UpperCasedBytes) {
  struct Case {
    std::string a, b;
    int sign;
  } const cases[] = {
      {"ab", "AB", 0},          {"Maths", "maths", 0},   {"", "", 0},
      {"a_b", "ab", 1},         {"a`c", "aZ", 1},        {"a[", "az", 1},
      {"ab", "abc", -1},        {"", "a", -1},           {"caf\xE9", "cafz", 1},
      {"\xE9", "\xC9", 1},     // no case outside a to z
      {"!x", ".", -1},          {"A1", "ab", -1},
  };
  for (const Case& c : cases) {
    const int r = plat::CompareText(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
    const int back = plat::CompareText(c.b, c.a);
    EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
  }
}

TEST(IntToStrTest, Decimal) {
  EXPECT_EQ(plat::IntToStr(0), "0");
  EXPECT_EQ(plat::IntToStr(1000), "1000");
  EXPECT_EQ(plat::IntToStr(-7), "-7");
  EXPECT_EQ(plat::IntToStr(LLONG_MIN), "-9223372036854775808");
}

}  // namespace
