#include "base/wildcard.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

struct Case {
  const char* pattern;
  const char* name;
  bool matches;
};

TEST(WildcardTest, MatchesWholeNamesIgnoringAsciiCase) {
  const Case cases[] = {
      {"*.txt", "a.txt", true},
      {"*.TXT", "a.txt", true},
      {"*.txt", "a.txtx", true},
      {"*.txt", "a.tx", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"a*", "A", true},
      {"*b*", "abc", true},
      {"*b", "abc", false},
      {"f_*.txt", "f_01.txt", true},
      {"f_*.txt", "xf_01.txt", false},
      {"*a*a*a", "aaaa", true},
      {"*a*a*b", "aaaa", false},
      {"caf\xC3\xA9*", "CAF\xC3\xA9s", true},
      {"caf\xC3\xA9", "caf\xC3\x89", false},
      {"a.txt", "A.TXT", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesPattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
  }
}

TEST(WildcardTest, DotPatterns) {
  const Case cases[] = {
      {"*.", "txt_in", true},    {"*.", "a.txt", false},    {"*.*", "txt_in", true},
      {"*.*", "a.txt", true},    {"*.*", ".hidden", true},  {"a.*", "a", true},
      {"a.*", "a.b.c", true},    {"a.*", "ab", false},      {"*.htm*", "x.html", true},
      {"*.htm*", "x.htm", true}, {"*.htm*", "xhtm", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesPattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
  }
}

TEST(WildcardTest, ThreeLetterExtensionsAlsoMatchLongerOnes) {
  const Case cases[] = {
      {"*.htm", "report.html", true},
      {"*.HTM", "report.HTMLX", true},
      {"page_*.htm", "page_01.html", true},
      {"page_*.htm", "index.html", false},
      {"*.htm", "a.htm.bak", false},
      {"*.ht?", "a.html", false},
      {"*.ht", "a.html", false},
      {"*.txt", "a.tx", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesPattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
  }
  EXPECT_TRUE(HasWildcard("a?"));
  EXPECT_FALSE(HasWildcard("a.txt"));
}

}  // namespace
}  // namespace quillon
