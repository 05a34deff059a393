// The model cuts lines with the program's own extract_line_words, so only
// these cases catch a fault in it; plain lines of text, short words and a
// style attribute the golden run pins.

#include "index/word_extraction.h"

#include <gtest/gtest.h>

#include "support/test_run.h"

namespace quillon {
namespace {

// "word@start" for every word the lines yield, "-" for a skipped line.
std::string Words(const std::vector<const char*>& lines) {
  ScanState state;
  std::string out;
  for (const char* line : lines) {
    std::vector<TakenWord> words;
    if (!extract_line_words(line, &state, &words)) out += "- ";
    for (const TakenWord& w : words) out += w.word + "@" + std::to_string(w.start) + " ";
  }
  return out;
}

TEST(WordExtractionTest, WordsOfLines) {
  const std::pair<std::vector<const char*>, const char*> cases[] = {
      // Quotes are dropped at the ends of a word and turned inside it.
      {{"say \"hi there\" a\"bc"}, "say@1 there@9 a'bc@16 "},
      {{"before <a title=x", "inside still", "rest> after"}, "before@1 - after@7 "},
      {{"<script>", "var x = 1;", "</script>", "after"}, "- - - after@1 "},
      // Only a lower-case script tag opens a block; style in any case.
      {{"<SCRIPT>alert</SCRIPT>"}, "alert@9 "},
      {{"<STYLE>", "p { }", "</style>", "shown"}, "- - - shown@1 "},
      {{"<title>one line</title>", "next"}, "- next@1 "},
      // Links to high anchors and markers skip the line; text right after
      // a link tag ends the scan of its line.
      {{"<a HREF =\"#2500\">far</a>", "look_at: <a href=\"#5\">x</a>"}, "- - "},
      {{"see <a href=\"#12\">Link</a> more"}, "see@1 "},
      {{"see <a href=\"#2000\"> link</a> more"}, "see@1 link@22 more@31 "},
      {{"&nbsp;"}, "&nbsp;@1 "}};
  for (const auto& c : cases) EXPECT_EQ(Words(c.first), c.second) << c.first[0];
}

// A page that begins inside a tag, because the page before ended there, is
// taken again after the threads, so that any number of them gives the same.
TEST(WordExtractionTest, ATagOpenAtThePageEndGoesOnIntoTheNextPage) {
  for (int jobs : {1, 2}) {
    FakeRun t;
    t.disk.AddFile("page_01.htm", "first page <a title=x\r\n");
    t.disk.AddFile("page_02.htm", "rest> after\r\n");
    t.disk.AddFile("page_03.htm", "third page\r\n");
    WordTable table = extract_words(t.run, jobs);
    std::string words;
    for (const Occurrence& o : table.occurrences) {
      words += table.word(o) + "@" + std::to_string(o.page) + " ";
    }
    EXPECT_EQ(words, "first@0 page@0 after@1 third@2 page@2 ") << jobs;
  }
}

}  // namespace
}  // namespace quillon
