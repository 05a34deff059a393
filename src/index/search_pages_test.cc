#include "index/search_pages.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/test_run.h"

namespace quillon {
namespace {

// A record of wrd_12_[g].txt: page, line, position, word, word id, occurrence.
std::string Record(const std::string& page, int line, int position, const std::string& word,
                   const std::string& id, int number) {
  std::string line_text = std::to_string(line);
  std::string position_text = std::to_string(position);
  return "\"" + page + "\",\"" + std::string(10 - line_text.size(), ' ') + line_text + "\",\"" +
         std::string(6 - position_text.size(), ' ') + position_text + "\",\"" + word + "\",\"" +
         id + "\",\"" + std::to_string(number) + "\"\r\n";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.size() - 1));
  return lines;
}

// The lines after the head and its script.
std::vector<std::string> Body(const std::string& page) {
  std::vector<std::string> lines = Lines(page);
  return std::vector<std::string>(lines.begin() + 22, lines.end());
}

// The query of a web_search line.
std::string Query(const std::string& line) {
  const std::string start = "&nbsp <a href=\"http://www.google.com/search?q=";
  size_t end = line.find("\"> web_search </a>");
  if (line.rfind(start, 0) != 0 || end == std::string::npos) {
    ADD_FAILURE() << "no search link: " << line;
    return "";
  }
  return line.substr(start.size(), end - start.size());
}

std::string LineOf(int line, int words, const std::string& repeated = "") {
  std::string records;
  for (int i = 1; i <= words; ++i) {
    std::string word = i == words && !repeated.empty() ? repeated : "w" + std::to_string(i) + "x";
    records += Record("page_01.htm", line, i * 5, word, "id0000000" + std::to_string(i % 10), 1);
  }
  return records;
}

class SearchPageTest : public ::testing::Test {
 protected:
  SearchPageTest() {
    fake_.run.settings.highlight_color = "red";
    fake_.run.settings.highlight_size = "140%";
    fake_.run.settings.highlight_inline = true;
  }
  std::vector<std::string> Write(const std::string& records) {
    fake_.disk.AddFile("wrd_12_1.txt", records);
    write_group_search_page(fake_.run, 1);
    return Body(fake_.disk.Content("s_1.htm"));
  }
  FakeRun fake_;
};

TEST_F(SearchPageTest, LinksOfALineNameItsFirstWordAndPageAndEscapeTheAddress) {
  fake_.run.settings.destination_site = "a&b.com";
  std::vector<std::string> body = Write(Record("page_01.htm", 2, 1, "AT&T", "id00000001", 1) +
                                        Record("page_01.htm", 2, 6, "C++", "id00000000", 1) +
                                        Record("page_02.htm", 2, 1, "#tag", "id00000002", 4));
  std::vector<std::string> expected = {
      " <span id=\"id00000001_1\"><a href=\"i_1.htm#id00000001\">AT&T</a></span> <span "
      "id=\"id00000000_1\"><a href=\"i_1.htm#id00000000\">C++</a></span><br>",
      "<a href=\"i_1.htm#id00000001\">i_1</a>", "&nbsp <a href=\"index.htm#id00000001\">index</a>",
      "&nbsp <a href=\"files_list.htm#page_01.htm\"> Content (page_01.htm)</a>",
      "&nbsp <a href=\"http://www.google.com/search?q=AT%26T C%2B%2B  site:a%26b.com\"> "
      "a&b.com</a>",
      "&nbsp <a href=\"http://www.google.com/search?q=AT%26T C%2B%2B \"> web_search </a>",
      "<br><br>",
      // The same line number on the next page is another text line.
      "<span id=\"id00000002_4\">#tag &nbsp </span>&nbsp <a "
      "href=\"i_1.htm#id00000002\">#tag</a></span><br>",
      "<a href=\"i_1.htm#id00000002\">i_1</a>", "&nbsp <a href=\"index.htm#id00000002\">index</a>",
      "&nbsp <a href=\"files_list.htm#page_02.htm\"> Content (page_02.htm)</a>",
      "&nbsp <a href=\"http://www.google.com/search?q=%23tag  site:a%26b.com\"> a&b.com</a>",
      "&nbsp <a href=\"http://www.google.com/search?q=%23tag \"> web_search </a>", "<br><br>",
      "</body> <br>", "</html> <br>"};
  EXPECT_EQ(body, expected);
}

TEST_F(SearchPageTest, TwentyEightWordsAreTheQueryAsTheyStandAndDrawNothing) {
  std::vector<std::string> body = Write(LineOf(3, 28));
  ASSERT_EQ(body.size(), 8u);
  std::string all;
  for (int i = 1; i <= 28; ++i) all += "w" + std::to_string(i) + "x ";
  EXPECT_EQ(Query(body[4]), all);
  RandomFractions fresh;
  EXPECT_EQ(fake_.run.random.random_fraction(), fresh.random_fraction());
}

TEST_F(SearchPageTest, TwentyNineWordsGiveDistinctDrawnWordsButNeverTheFirst) {
  // The last word repeats the first: only through it can w1x be drawn.
  std::vector<std::string> body = Write(LineOf(3, 29, "w1x") + LineOf(4, 29));
  ASSERT_EQ(body.size(), 14u);
  for (int line : {4, 10}) {
    std::string query = Query(body[line]);
    std::istringstream words(query);
    std::set<std::string> distinct;
    int count = 0;
    for (std::string word; words >> word; ++count) distinct.insert(word);
    EXPECT_EQ(query[0], ' ');
    EXPECT_LE(count, 28);
    EXPECT_EQ(static_cast<int>(distinct.size()), count) << query;
    if (line == 10) {
      EXPECT_EQ(distinct.count("w1x"), 0u) << query;
    }
  }
  EXPECT_NE(Query(body[4]), Query(body[10]));
}

// The reference run pins the head.
TEST_F(SearchPageTest, AnEmptyGroupGivesTheHeadAndTheClosingLines) {
  EXPECT_EQ(Write(""), (std::vector<std::string>{"</body> <br>", "</html> <br>"}));
}

TEST(SearchAddressTextTest, EscapesOnlyTheBytesThatChangeTheAddress) {
  EXPECT_EQ(search_address_text("100% \"AT&T\" #1 C++ \xC3\xA9<"),
            "100%25 %22AT%26T%22 %231 C%2B%2B \xC3\xA9<");
}

}  // namespace
}  // namespace quillon
