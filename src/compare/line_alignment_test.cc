#include "compare/line_alignment.h"

#include <gtest/gtest.h>

#include <string>

namespace quillon {
namespace {

std::vector<std::string_view> Split(const std::string& lines) {
  std::vector<std::string_view> split;
  for (size_t at = 0; at < lines.size();) {
    size_t end = lines.find('|', at);
    if (end == std::string::npos) end = lines.size();
    split.push_back(std::string_view(lines).substr(at, end - at));
    at = end + 1;
  }
  return split;
}

// The rows as "=", "~", "-" and "+" with the lines they hold.
std::string Shown(const std::string& left, const std::string& right) {
  std::vector<std::string_view> l = Split(left), r = Split(right);
  std::string shown;
  for (const AlignedRow& row : align_lines(l, r)) {
    const char kinds[] = "=~-+";
    shown += kinds[static_cast<int>(row.kind)];
    if (row.left >= 0) shown += std::string(l[static_cast<size_t>(row.left)]);
    shown += '/';
    if (row.right >= 0) shown += std::string(r[static_cast<size_t>(row.right)]);
    shown += ' ';
  }
  return shown;
}

TEST(LineAlignmentTest, RowsOfHandMadeTexts) {
  const struct {
    const char* left;
    const char* right;
    const char* rows;
  } cases[] = {
      {"a|b|c", "a|b|c", "=a/a =b/b =c/c "},
      {"a|c|d", "a|b|c|d", "=a/a +/b =c/c =d/d "},
      {"a|b|c|d", "a|c|d", "=a/a -b/ =c/c =d/d "},
      {"a|b|c", "a|x|c", "=a/a ~b/x =c/c "},
      // Of three removed and one added line the first pair up.
      {"a|b|c|d|e", "a|x|e", "=a/a ~b/x -c/ -d/ =e/e "},
      {"a|b", "x|y|z", "~a/x ~b/y +/z "},
      // A moved line is removed where it was and added where it went.
      {"m|a|b|c", "a|b|c|m", "-m/ =a/a =b/b =c/c +/m "},
      // Repeated lines pair up in order.
      {"x|a|x|a|x", "x|a|x", "=x/x =a/a =x/x -a/ -x/ "},
      {"", "", ""},
      {"", "a|b", "+/a +/b "},
      {"a|b", "", "-a/ -b/ "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Shown(c.left, c.right), c.rows) << c.left << " against " << c.right;
  }
}

// The elements left unmarked, in order.
std::vector<uint32_t> Kept(const std::vector<uint32_t>& sequence,
                           const std::vector<char>& changed) {
  std::vector<uint32_t> kept;
  for (size_t i = 0; i < sequence.size(); ++i)
    if (!changed[i]) kept.push_back(sequence[i]);
  return kept;
}

// Every unmarked element pairs with an equal one in order, and as many
// stay unmarked as a longest common subsequence has, on random sequences
// of few symbols, where many alignments tie.
TEST(LineAlignmentTest, TheUnmarkedElementsAreALongestCommonSubsequence) {
  uint32_t state = 12345;
  auto next = [&state](uint32_t below) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) % below;
  };
  SequenceDiff diff;  // One for all, as the page keeps one for its pairs.
  for (int trial = 0; trial < 2000; ++trial) {
    uint32_t symbols = 1 + next(6);
    std::vector<uint32_t> a(next(30)), b(next(30));
    for (uint32_t& s : a) s = next(symbols);
    for (uint32_t& s : b) s = next(symbols);
    diff.mark(a, b, symbols);
    std::vector<uint32_t> a_kept = Kept(a, diff.a_changed);
    ASSERT_EQ(a_kept, Kept(b, diff.b_changed)) << "trial " << trial;
    std::vector<std::vector<size_t>> lcs(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = a.size(); i-- > 0;)
      for (size_t j = b.size(); j-- > 0;)
        lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    ASSERT_EQ(a_kept.size(), lcs[0][0]) << "trial " << trial;
  }
}

// Texts that differ everywhere stay a valid alignment when the cost limit
// cuts the search short.
TEST(LineAlignmentTest, FarApartTextsStillAlignInOrder) {
  std::vector<uint32_t> a(20000), b(20000);
  for (size_t i = 0; i < a.size(); ++i) {
    a[i] = static_cast<uint32_t>(i);
    b[i] = static_cast<uint32_t>((i * 7919) % a.size());
  }
  SequenceDiff diff;
  diff.mark(a, b, 20000);
  std::vector<uint32_t> a_kept = Kept(a, diff.a_changed);
  EXPECT_EQ(a_kept, Kept(b, diff.b_changed));
  EXPECT_FALSE(a_kept.empty());
}

std::string Marked(std::string_view line, const std::vector<Span>& spans) {
  std::string marked;
  size_t at = 0;
  for (const Span& s : spans) {
    marked += std::string(line.substr(at, s.begin - at)) + "[" +
              std::string(line.substr(s.begin, s.end - s.begin)) + "]";
    at = s.end;
  }
  return marked + std::string(line.substr(at));
}

TEST(LineAlignmentTest, ChangedWordsAreMarkedOnTheirSide) {
  const struct {
    const char* left;
    const char* right;
    const char* left_marked;
    const char* right_marked;
  } cases[] = {
      {"the quick brown fox", "the slow red fox", "the [quick brown] fox", "the [slow red] fox"},
      {"one two", "one, two three", "one two", "one[,] two [three]"},
      {"climbed the stairs", "climbed the winding stairs", "climbed the stairs",
       "climbed the [winding] stairs"},
      {"Grüße aus Köln", "Grüße aus Bonn", "Grüße aus [Köln]", "Grüße aus [Bonn]"},
      {"same  words", "same words", "same[  ]words", "same[ ]words"},
      {"abc", "", "[abc]", ""},
      // Too little in common to mark word by word.
      {"In the beginning God created", "He counted ninety steps and the",
       "[In the beginning God created]", "[He counted ninety steps and the]"},
  };
  WordMarker marker;
  for (const auto& c : cases) {
    const WordMarks& marks = marker.mark(c.left, c.right);
    EXPECT_EQ(Marked(c.left, marks.left), c.left_marked);
    EXPECT_EQ(Marked(c.right, marks.right), c.right_marked);
  }
}

}  // namespace
}  // namespace quillon
