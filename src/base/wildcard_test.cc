#include "base/wildcard.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

// "pattern name": whether the pattern matches the name.
bool Matches(const std::string& pattern_and_name) {
  size_t blank = pattern_and_name.find(' ');
  return MatchesPattern(pattern_and_name.substr(0, blank), pattern_and_name.substr(blank + 1));
}

// "*." matches a name without a dot, and a three-letter extension also
// matches longer ones.
TEST(WildcardTest, MatchesWholeNamesIgnoringAsciiCase) {
  // clang-format off
  const char* const matching[] = {
      "*.txt a.txt", "*.TXT a.txt", "*.txt a.txtx", "a?c abc", "a* A", "*b* abc",
      "f_*.txt f_01.txt", "*a*a*a aaaa", "caf\xC3\xA9* CAF\xC3\xA9s", "a.txt A.TXT",
      "*. txt_in", "*.* txt_in", "*.* a.txt", "*.* .hidden", "a.* a", "a.* a.b.c",
      "*.htm* x.html", "*.htm* x.htm", "*.htm report.html", "*.HTM report.HTMLX",
      "page_*.htm page_01.html"};
  const char* const other[] = {
      "*.txt a.tx", "a?c ac", "*b abc", "f_*.txt xf_01.txt", "*a*a*b aaaa",
      "caf\xC3\xA9 caf\xC3\x89", "*. a.txt", "a.* ab", "*.htm* xhtm", "page_*.htm index.html",
      "*.htm a.htm.bak", "*.ht? a.html", "*.ht a.html"};
  // clang-format on
  for (const char* pair : matching) EXPECT_TRUE(Matches(pair)) << pair;
  for (const char* pair : other) EXPECT_FALSE(Matches(pair)) << pair;
  EXPECT_TRUE(HasWildcard("a?"));
  EXPECT_FALSE(HasWildcard("a.txt"));
}

}  // namespace
}  // namespace quillon
