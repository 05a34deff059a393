#include "index/word_extraction.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

// "word@start" for every word the lines yield, "-" for a skipped line.
std::string Words(std::initializer_list<const char*> lines) {
  ScanState state;
  std::string out;
  for (const char* line : lines) {
    std::vector<TakenWord> words;
    if (!extract_line_words(line, &state, &words)) {
      out += "- ";
      continue;
    }
    for (const TakenWord& w : words) out += w.word + "@" + std::to_string(w.start) + " ";
  }
  return out;
}

TEST(WordExtractionTest, WordsRunBetweenBlanksAndTags) {
  EXPECT_EQ(Words({" <br>Some text here"}), "Some@6 text@11 here@16 ");
  EXPECT_EQ(Words({"<b>Hello</b>"}), "Hello@4 ");
  EXPECT_EQ(Words({"Hello"}), "Hello@1 ");
  EXPECT_EQ(Words({"an ox"}), "");
  EXPECT_EQ(Words({"two  blanks"}), "two@1 blanks@6 ");
}

TEST(WordExtractionTest, QuotesAreDroppedAtTheEndsAndTurnedInside) {
  EXPECT_EQ(Words({"say \"hi there\""}), "say@1 there@9 ");
  EXPECT_EQ(Words({"a\"bc"}), "a'bc@1 ");
  EXPECT_EQ(Words({"\"quoted\" word"}), "quoted@2 word@10 ");
}

TEST(WordExtractionTest, TagsAcrossLinesHideTheirInside) {
  EXPECT_EQ(Words({"before <a title=x", "inside still", "rest> after"}), "before@1 - after@7 ");
}

TEST(WordExtractionTest, ScriptStyleAndTitleBlocksYieldNothing) {
  EXPECT_EQ(Words({"<script>", "var x = 1;", "</script>", "after"}), "- - - after@1 ");
  // Only a lower-case script tag opens a block.
  EXPECT_EQ(Words({"<SCRIPT>alert</SCRIPT>"}), "alert@9 ");
  EXPECT_EQ(Words({"<STYLE>", "p { }", "</style>", "shown"}), "- - - shown@1 ");
  EXPECT_EQ(Words({"<p style=\"x\">styled</p>"}), "styled@14 ");
  EXPECT_EQ(Words({"<title>", "compare.htm", "</title>", "body"}), "- - - body@1 ");
  EXPECT_EQ(Words({"<title>one line</title>", "next"}), "- next@1 ");
}

TEST(WordExtractionTest, LinksToHighAnchorsAndMarkersSkipTheLine) {
  EXPECT_EQ(Words({"<a href=\"#2001\">far</a>"}), "- ");
  EXPECT_EQ(Words({"<a HREF =\"#2500\">far</a>"}), "- ");
  EXPECT_EQ(Words({"look_at: <a href=\"#5\">x</a>"}), "- ");
  // Text right after a link tag ends the scan of its line; words before stay.
  EXPECT_EQ(Words({"see <a href=\"#12\">Link</a> more"}), "see@1 ");
  EXPECT_EQ(Words({"see <a href=\"#2000\"> link</a> more"}), "see@1 link@22 more@31 ");
}

TEST(WordExtractionTest, NonBreakingSpaceIsRecordedAsAWord) {
  EXPECT_EQ(Words({"&nbsp;"}), "&nbsp;@1 ");
}

}  // namespace
}  // namespace quillon
