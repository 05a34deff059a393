#include "base/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

namespace quillon {
namespace {

TEST(TextTest, SubstringAndLeftTextCutAtTheEnds) {
  EXPECT_EQ(substring("hello", 2, 3), "ell");
  EXPECT_EQ(substring("hello", 4, -1), "lo");
  EXPECT_EQ(substring("hello", 4, 10), "lo");
  EXPECT_EQ(substring("hello", 6, 1), "");
  EXPECT_EQ(substring("hello", 0, 2), "");
  EXPECT_EQ(substring("hello", 1, 0), "");
  EXPECT_EQ(substring("", 1, 1), "");
  EXPECT_EQ(left_text("hello", 2), "he");
  EXPECT_EQ(left_text("hello", 9), "hello");
  EXPECT_EQ(left_text("hello", -1), "");
}

TEST(TextTest, FindTextCountsFromOneAndRefusesOddStarts) {
  EXPECT_EQ(find_text(1, "abcabc", "c"), 3);
  EXPECT_EQ(find_text(4, "abcabc", "c"), 6);
  EXPECT_EQ(find_text(4, "abcabc", "ab"), 4);
  EXPECT_EQ(find_text(1, "abcabc", ""), 0);
  EXPECT_EQ(find_text(7, "abcabc", "c"), 0);
  EXPECT_EQ(find_text(0, "abcabc", "a"), 0);
  EXPECT_EQ(find_text(1, "ab", "abc"), 0);
  EXPECT_EQ(find_text(1, "ABC", "b"), 0);
}

TEST(TextTest, TrimsOnlyBlanksAndFoldsOnlyAsciiLetters) {
  EXPECT_EQ(trim_blanks("  a b \t "), "a b \t");
  EXPECT_EQ(trim_left("  a "), "a ");
  EXPECT_EQ(trim_right("  a "), "  a");
  EXPECT_EQ(trim_blanks("   "), "");
  EXPECT_EQ(to_upper("caf\xC3\xA9 \xC3\xA0z"), "CAF\xC3\xA9 \xC3\xA0Z");
  EXPECT_EQ(to_lower("\xC3\x89T\xC3\x89 Zz"), "\xC3\x89t\xC3\x89 zz");
  EXPECT_EQ(blank_text(3), "   ");
  EXPECT_EQ(blank_text(-2), "");
  EXPECT_EQ(byte_code("a\xFF", 2), 255);
  EXPECT_EQ(byte_code("a", 2), 0);
}

TEST(TextTest, CompareTextUsesUnsignedBytesAndPutsPrefixesFirst) {
  EXPECT_LT(compare_text("abc", "abcd"), 0);
  EXPECT_GT(compare_text("abcd", "abc"), 0);
  EXPECT_LT(compare_text("", "a"), 0);
  EXPECT_LT(compare_text("Z", "a"), 0);
  EXPECT_GT(compare_text("\xC3\xA9", "z"), 0);
  EXPECT_EQ(compare_text("same", "same"), 0);
  EXPECT_LT(compare_text(std::string("a\0b", 3), std::string("a\0c", 3)), 0);
}

TEST(TextTest, NumberTextsCarryNoBlanks) {
  EXPECT_EQ(number_text(0), "0");
  EXPECT_EQ(number_text(-5), "-5");
  EXPECT_EQ("wrd_11_" + number_text(1) + ".txt", "wrd_11_1.txt");
  EXPECT_EQ(number_text_fraction(0.5), "0.5");
  EXPECT_EQ(number_text_fraction(100.0), "100");
  EXPECT_EQ(number_text_fraction(1.0 / 3), "0.3333333333333333");
  EXPECT_EQ(number_text_fraction(1e20), "1e+20");
  EXPECT_EQ(right_aligned(42, 5), "   42");
  EXPECT_EQ(right_aligned(123456, 3), "123456");
}

TEST(TextTest, TextToNumberReadsExactlyTheDecimalGrammar) {
  EXPECT_EQ(text_to_number("12abc"), 12);
  EXPECT_EQ(text_to_number(" 7"), 7);
  EXPECT_EQ(text_to_number("x1"), 0);
  EXPECT_EQ(text_to_number(""), 0);
  EXPECT_EQ(text_to_number("\t7"), 0);
  EXPECT_EQ(text_to_number("-2.5e1x"), -25);
  EXPECT_EQ(text_to_number("+.5"), 0.5);
  EXPECT_EQ(text_to_number("5."), 5);
  EXPECT_EQ(text_to_number("1d2"), 100);
  EXPECT_EQ(text_to_number("1D-1"), 0.1);
  EXPECT_EQ(text_to_number("3e"), 3);
  EXPECT_EQ(text_to_number("."), 0);
  for (const char* odd : {"info", "inf", "nan", "NAN(1)", "-infinity", "0x1p4", "0x10"}) {
    EXPECT_EQ(text_to_number(odd), 0) << odd;
  }
}

TEST(TextTest, TextToNumberReadsAmpersandBases) {
  EXPECT_EQ(text_to_number("&H10"), 16);
  EXPECT_EQ(text_to_number("&hfFz"), 255);
  EXPECT_EQ(text_to_number("&O17"), 15);
  EXPECT_EQ(text_to_number("&B1012"), 5);
  EXPECT_EQ(text_to_number("&17"), 15);
  EXPECT_EQ(text_to_number("&8"), 0);
  EXPECT_EQ(text_to_number("&H"), 0);
  EXPECT_EQ(text_to_number("&"), 0);
}

TEST(TextTest, RoundingGoesToEvenAndWrapsInto32Bits) {
  EXPECT_EQ(round_to_int32(2.5), 2);
  EXPECT_EQ(round_to_int32(3.5), 4);
  EXPECT_EQ(round_to_int32(-2.5), -2);
  EXPECT_EQ(round_to_int32(1.5), 2);
  EXPECT_EQ(round_to_int32(3e9), -1294967296);
  EXPECT_EQ(round_to_int32(-2147483649.0), 2147483647);
  EXPECT_EQ(round_to_int32(HUGE_VAL), 0);
  EXPECT_EQ(wrap_to_int32(4294967297LL), 1);
}

TEST(TextTest, DateAndTimeHaveFixedWidthFields) {
  EXPECT_TRUE(std::regex_match(date_text(), std::regex("(0[1-9]|1[0-2])-[0-3][0-9]-[0-9]{4}")));
  EXPECT_TRUE(std::regex_match(time_text(), std::regex("[0-2][0-9]:[0-5][0-9]:[0-6][0-9]")));
}

TEST(TextTest, RandomFractionsRepeatTheSameSequence) {
  RandomFractions random;
  for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358}) {
    EXPECT_EQ(random.random_fraction(), expected / 32768.0);
  }
  RandomFractions again;
  EXPECT_EQ(again.random_fraction(), 41 / 32768.0);
}

}  // namespace
}  // namespace quillon
