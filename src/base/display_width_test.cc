#include "base/display_width.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(DisplayWidthTest, ColumnsOfTheCharactersThatMatter) {
  const struct {
    char32_t code_point;
    int columns;
  } cases[] = {
      {U'a', 1},          {U'\u00F1', 1},  // n with tilde, one code point
      {U'\u0301', 0},                      // combining acute accent
      {U'\u200D', 0},                      // zero width joiner
      {U'\u0007', 0},                      // a control character
      {U'\u4E2D', 2},                      // CJK ideograph
      {U'\uFF21', 2},                      // fullwidth A
      {U'\uD55C', 2},                      // Hangul syllable
      {U'\u1161', 0},                      // a Hangul vowel that joins the syllable before it
      {U'\u302A', 0},                      // an ideographic tone mark: wide, but a mark
      {U'\U0001F600', 2},                  // an emoji
      {U'\U0002A6E0', 2},                  // unassigned, in a block of wide ideographs
      {U'\u00E9', 1},     {U'\u0416', 1},  // Latin, Cyrillic
  };
  for (const auto& c : cases) {
    EXPECT_EQ(code_point_width(c.code_point), c.columns) << std::hex << c.code_point;
  }
  EXPECT_EQ(display_width("e\xCC\x81\xE4\xB8\xADx"), 4);  // e + accent, a wide ideograph, x
}

// Every byte of a broken sequence stands alone; a whole one is never split.
TEST(DisplayWidthTest, InvalidBytesStandAloneAndWholeCharactersStayWhole) {
  const struct {
    std::string text;
    size_t size;
    char32_t code_point;
  } cases[] = {
      {"\xC3\xB1", 2, 0xF1},
      {"\xF0\x9F\x98\x80", 4, 0x1F600},
      {"\xC3", 1, 0xFFFD},          // cut short at the end
      {"\xE4\xB8x", 1, 0xFFFD},     // cut short by another character
      {"\x80", 1, 0xFFFD},          // a continuation byte alone
      {"\xC0\xAF", 1, 0xFFFD},      // overlong
      {"\xED\xA0\x80", 1, 0xFFFD},  // a surrogate
      {"\xF8\x90\x80\x80", 1, 0xFFFD},
  };
  for (const auto& c : cases) {
    char32_t code_point = 0;
    EXPECT_EQ(next_character(c.text, 0, &code_point), c.size) << testing::PrintToString(c.text);
    EXPECT_EQ(code_point, c.code_point) << testing::PrintToString(c.text);
  }
  EXPECT_EQ(display_width("\xE4\xB8x"), 3);
}

}  // namespace
}  // namespace quillon
