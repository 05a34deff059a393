#include "base/wildcard.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

// "*." matches a name without a dot, and a three-letter extension also
// matches longer ones. Each case is "pattern name".
TEST(WildcardTest, MatchesWholeNamesIgnoringAsciiCase) {
  // clang-format off
  const char* const matching[] = {
      "*.TXT a.txt", "*.txt a.txtx", "a?c abc", "*b* abc", "*a*a*a aaaa",
      "caf\xC3\xA9* CAF\xC3\xA9s", "*. txt_in", "*.* txt_in", "*.* .hidden", "a.* a", "a.* a.b.c",
      "*.htm* x.html", "*.HTM report.HTMLX", "page_*.htm page_01.html"};
  const char* const other[] = {
      "*.txt a.tx", "a?c ac", "*b abc", "f_*.txt xf_01.txt", "*a*a*b aaaa",
      "caf\xC3\xA9 caf\xC3\x89", "*. a.txt", "a.* ab", "*.htm* xhtm", "*.htm a.htm.bak",
      "*.ht? a.html", "*.ht a.html"};
  // clang-format on
  auto matches = [](const std::string& pair) {
    size_t blank = pair.find(' ');
    return matches_pattern(pair.substr(0, blank), pair.substr(blank + 1));
  };
  for (const char* pair : matching) EXPECT_TRUE(matches(pair)) << pair;
  for (const char* pair : other) EXPECT_FALSE(matches(pair)) << pair;
  EXPECT_TRUE(has_wildcard("a?"));
  EXPECT_FALSE(has_wildcard("a.txt"));
}

}  // namespace
}  // namespace quillon
