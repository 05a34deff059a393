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
    if (!extract_line_words(line, &state, &words)) {
      out += "- ";
      continue;
    }
    for (const TakenWord& w : words) out += w.word + "@" + std::to_string(w.start) + " ";
  }
  return out;
}

TEST(WordExtractionTest, WordsOfLines) {
  const std::pair<std::vector<const char*>, const char*> cases[] = {
      {{" <br>Some text  here"}, "Some@6 text@11 here@17 "},
      {{"an ox"}, ""},
      // Quotes are dropped at the ends of a word and turned inside it.
      {{"say \"hi there\""}, "say@1 there@9 "},
      {{"a\"bc"}, "a'bc@1 "},
      {{"before <a title=x", "inside still", "rest> after"}, "before@1 - after@7 "},
      {{"<script>", "var x = 1;", "</script>", "after"}, "- - - after@1 "},
      // Only a lower-case script tag opens a block; style in any case.
      {{"<SCRIPT>alert</SCRIPT>"}, "alert@9 "},
      {{"<STYLE>", "p { }", "</style>", "shown"}, "- - - shown@1 "},
      {{"<p style=\"x\">styled</p>"}, "styled@14 "},
      {{"<title>one line</title>", "next"}, "- next@1 "},
      // Links to high anchors and markers skip the line.
      {{"<a HREF =\"#2500\">far</a>"}, "- "},
      {{"look_at: <a href=\"#5\">x</a>"}, "- "},
      // Text right after a link tag ends the scan of its line.
      {{"see <a href=\"#12\">Link</a> more"}, "see@1 "},
      {{"see <a href=\"#2000\"> link</a> more"}, "see@1 link@22 more@31 "},
      {{"&nbsp;"}, "&nbsp;@1 "}};
  for (const auto& c : cases) EXPECT_EQ(Words(c.first), c.second) << c.first[0];
}

// Pages are taken on several threads, each as if it began outside a tag; a
// page that begins inside one, because the page before ended there, is
// taken again, so that any number of threads gives the same words.
TEST(WordExtractionTest, ATagOpenAtThePageEndGoesOnIntoTheNextPage) {
  std::vector<std::string> words[2];
  for (int jobs : {1, 2}) {
    FakeRun t;
    t.disk.AddFile("page_01.htm", "first page <a title=x\r\n");
    t.disk.AddFile("page_02.htm", "rest> after\r\n");
    t.disk.AddFile("page_03.htm", "third page\r\n");
    WordTable table = extract_words(t.run, jobs);
    for (const Occurrence& o : table.occurrences) {
      words[jobs - 1].push_back(table.word(o) + "@" + std::to_string(o.page));
    }
  }
  EXPECT_EQ(words[0],
            (std::vector<std::string>{"first@0", "page@0", "after@1", "third@2", "page@2"}));
  EXPECT_EQ(words[1], words[0]);
}

}  // namespace
}  // namespace quillon
