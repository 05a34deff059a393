#include "base/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

namespace quillon {
namespace {

TEST(TextTest, SubstringsCountFromOneAndCutAtTheEnds) {
  const struct {
    long start, length;
    const char* part;
  } cases[] = {{2, 3, "ell"}, {4, -1, "lo"}, {4, 10, "lo"}, {6, 1, ""}, {0, 2, ""}, {1, 0, ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(substring("hello", c.start, c.length), c.part) << c.start << " " << c.length;
  }
  EXPECT_EQ(left_text("hello", -1), "");
  const struct {
    long start;
    const char* text;
    const char* pattern;
    long found;
  } finds[] = {{4, "abcabc", "c", 6}, {4, "abcabc", "ab", 4}, {1, "abcabc", "", 0},
               {7, "abcabc", "c", 0}, {0, "abcabc", "a", 0},  {1, "ab", "abc", 0},
               {1, "ABC", "b", 0}};
  for (const auto& c : finds) {
    EXPECT_EQ(find_text(c.start, c.text, c.pattern), c.found) << c.start << " " << c.pattern;
  }
}

TEST(TextTest, BlanksCaseOrderAndNumberTexts) {
  EXPECT_EQ(trim_blanks("  a b \t "), "a b \t");
  EXPECT_EQ(escape_markup("<a href=x>&amp;</a> b"), "&lt;a href=x&gt;&amp;amp;&lt;/a&gt; b");
  EXPECT_EQ(to_lower("\xC3\x89T\xC3\x89 Zz"), "\xC3\x89t\xC3\x89 zz");
  EXPECT_LT(compare_text("abc", "abcd"), 0);
  EXPECT_LT(compare_text("Z", "a"), 0);
  EXPECT_GT(compare_text("\xC3\xA9", "z"), 0);
  EXPECT_LT(compare_text(std::string("a\0b", 3), std::string("a\0c", 3)), 0);
  EXPECT_EQ(number_text_fraction(1.0 / 3), "0.3333333333333333");
  EXPECT_EQ(right_aligned(123456, 3), "123456");
}

TEST(TextTest, TheFirstByteThatIsNotUtf8) {
  const size_t kAll = std::string::npos;
  const std::pair<std::string, size_t> cases[] = {
      {"plain", kAll},
      {"\xef\xbb\xbf\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", kAll},
      {"\xed\x9f\xbf\xf4\x8f\xbf\xbf", kAll},  // U+D7FF and U+10FFFF, the last before the gaps
      {std::string("ab\0c", 4), 2},
      {"caf\xe9 ok", 3},         // Latin-1
      {"a\xc0\xaf", 1},          // overlong "/"
      {"a\xf0\x8f\xbf\xbf", 1},  // overlong
      {"a\xed\xa0\x80", 1},      // a surrogate
      {"a\xf4\x90\x80\x80", 1},  // beyond U+10FFFF
      {"ab\xe2\x82", 2},         // cut short
      {"\x80", 0}};
  for (const auto& c : cases) EXPECT_EQ(first_non_utf8(c.first), c.second) << c.first;
}

TEST(TextTest, TextToNumberReadsExactlyTheDecimalGrammarAndAmpersandBases) {
  const std::pair<const char*, double> cases[] = {
      {"12abc", 12},    {" 7", 7},        {"x1", 0},     {"", 0},      {"\t7", 0},
      {"-2.5e1x", -25}, {"+.5", 0.5},     {"5.", 5},     {"1d2", 100}, {"1D-1", 0.1},
      {"3e", 3},        {".", 0},         {"info", 0},   {"inf", 0},   {"nan", 0},
      {"NAN(1)", 0},    {"-infinity", 0}, {"0x1p4", 0},  {"0x10", 0},  {"&H10", 16},
      {"&hfFz", 255},   {"&O17", 15},     {"&B1012", 5}, {"&17", 15},  {"&8", 0},
      {"&H", 0},        {"&", 0}};
  for (const auto& c : cases) EXPECT_EQ(text_to_number(c.first), c.second) << c.first;
}

TEST(TextTest, RoundingGoesToEvenAndWrapsInto32Bits) {
  const std::pair<double, int32_t> cases[] = {
      {2.5, 2},     {3.5, 4}, {-2.5, -2}, {1.5, 2}, {3e9, -1294967296}, {-2147483649.0, 2147483647},
      {HUGE_VAL, 0}};
  for (const auto& c : cases) EXPECT_EQ(round_to_int32(c.first), c.second) << c.first;
}

// End-to-end runs blank out the clock, so its format is checked here.
TEST(TextTest, ClockTextsAndRandomFractions) {
  EXPECT_TRUE(std::regex_match(date_text(), std::regex("(0[1-9]|1[0-2])-[0-3][0-9]-[0-9]{4}")));
  EXPECT_TRUE(std::regex_match(time_text(), std::regex("[0-2][0-9]:[0-5][0-9]:[0-6][0-9]")));
  RandomFractions random;
  for (int expected : {41, 18467, 6334, 26500}) {
    EXPECT_EQ(random.random_fraction(), expected / 32768.0);
  }
  EXPECT_EQ(RandomFractions().random_fraction(), 41 / 32768.0);
}

}  // namespace
}  // namespace quillon
