#include "compare/line_alignment.h"

#include <gtest/gtest.h>

#include <string>

namespace quillon {
namespace {

std::vector<std::string_view> Letters(const std::string& text) {
  std::vector<std::string_view> lines;
  for (size_t i = 0; i < text.size(); ++i) lines.push_back(std::string_view(text).substr(i, 1));
  return lines;
}

// Each letter a line; the rows as "=", "~", "-" and "+" with their lines
// ("." where a side has none).
std::string Shown(const std::string& left, const std::string& right) {
  std::string shown;
  for (const AlignedRow& row : align_lines(Letters(left), Letters(right))) {
    shown += "=~-+"[static_cast<int>(row.kind)];
    shown += row.left >= 0 ? left[static_cast<size_t>(row.left)] : '.';
    shown += row.right >= 0 ? right[static_cast<size_t>(row.right)] : '.';
    shown += ' ';
  }
  return shown;
}

TEST(LineAlignmentTest, RowsOfHandMadeTexts) {
  const char* const cases[][3] = {
      {"acd", "abcd", "=aa +.b =cc =dd "},
      {"abc", "axc", "=aa ~bx =cc "},
      // Of three removed and one added line the first pair up.
      {"abcde", "axe", "=aa ~bx -c. -d. =ee "},
      {"ab", "xyz", "~ax ~by +.z "},
      // A moved line is removed where it was and added where it went.
      {"mabc", "abcm", "-m. =aa =bb =cc +.m "},
      // Repeated lines pair up in order.
      {"xaxax", "xax", "=xx =aa =xx -a. -x. "},
      {"", "", ""},
      {"", "ab", "+.a +.b "},
  };
  for (const auto& c : cases) EXPECT_EQ(Shown(c[0], c[1]), c[2]) << c[0] << " against " << c[1];
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
  // Texts that differ everywhere stay a valid alignment when the cost limit
  // cuts the search short.
  std::vector<uint32_t> a(20000), b(20000);
  for (size_t i = 0; i < a.size(); ++i) {
    a[i] = static_cast<uint32_t>(i);
    b[i] = static_cast<uint32_t>((i * 7919) % a.size());
  }
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
  const char* const cases[][4] = {
      {"the quick brown fox", "the slow red fox", "the [quick brown] fox", "the [slow red] fox"},
      {"one two", "one, two three", "one two", "one[,] two [three]"},
      {"Grüße aus Köln", "Grüße aus Bonn", "Grüße aus [Köln]", "Grüße aus [Bonn]"},
      {"same  words", "same words", "same[  ]words", "same[ ]words"},
      {"abc", "", "[abc]", ""},
      // Too little in common to mark word by word.
      {"In the beginning God created", "He counted ninety steps and the",
       "[In the beginning God created]", "[He counted ninety steps and the]"},
  };
  WordMarker marker;
  for (const auto& c : cases) {
    const WordMarks& marks = marker.mark(c[0], c[1]);
    EXPECT_EQ(Marked(c[0], marks.left), c[2]);
    EXPECT_EQ(Marked(c[1], marks.right), c[3]);
  }
}

}  // namespace
}  // namespace quillon
