#include "index/search_pages.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_run.h"

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

// The lines of a text line's entry that hold its search links.
std::vector<std::string> SearchLinks(const std::string& page) {
  std::vector<std::string> links;
  std::istringstream in(page);
  for (std::string line; std::getline(in, line);) {
    if (line.find("google.com/search?q=") != std::string::npos) links.push_back(line);
  }
  return links;
}

// The query of a web_search line.
std::string Query(const std::string& line) {
  const std::string start = "&nbsp <a href=\"http://www.google.com/search?q=";
  size_t end = line.find("\"> web_search </a>");
  if (line.rfind(start, 0) != 0 || end == std::string::npos) return "no search link: " + line;
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
  std::string write(const std::string& records) {
    fake_.disk.AddFile("wrd_12_1.txt", records);
    write_group_search_page(fake_.run, 1, site_);
    return fake_.disk.Content("s_1.htm");
  }
  FakeRun fake_;
  std::string site_;
};

// The reference run has no destination and no byte to escape.
TEST_F(SearchPageTest, LinksOfALineNameItsPageAndEscapeTheAddress) {
  site_ = "a&b.com";
  std::string page = write(Record("page_01.htm", 2, 1, "AT&T", "id00000001", 1) +
                           Record("page_01.htm", 2, 6, "C++", "id00000000", 1) +
                           Record("page_02.htm", 2, 1, "#tag", "id00000002", 4));
  // The same line number on the next page is another text line.
  EXPECT_EQ(
      SearchLinks(page),
      (std::vector<std::string>{
          "&nbsp <a href=\"http://www.google.com/search?q=AT%26T C%2B%2B  site:a%26b.com\"> "
          "a&b.com</a>\r",
          "&nbsp <a href=\"http://www.google.com/search?q=AT%26T C%2B%2B \"> web_search </a>\r",
          "&nbsp <a href=\"http://www.google.com/search?q=%23tag  site:a%26b.com\"> "
          "a&b.com</a>\r",
          "&nbsp <a href=\"http://www.google.com/search?q=%23tag \"> web_search </a>\r"}));
}

TEST_F(SearchPageTest, TwentyEightWordsAreTheQueryAsTheyStandAndDrawNothing) {
  std::vector<std::string> links = SearchLinks(write(LineOf(3, 28)));
  ASSERT_EQ(links.size(), 1u);
  std::string all;
  for (int i = 1; i <= 28; ++i) all += "w" + std::to_string(i) + "x ";
  EXPECT_EQ(Query(links[0].substr(0, links[0].size() - 1)), all);
  RandomFractions fresh;
  EXPECT_EQ(fake_.run.random.random_fraction(), fresh.random_fraction());
}

TEST_F(SearchPageTest, TwentyNineWordsGiveDistinctDrawnWordsButNeverTheFirst) {
  // The last word repeats the first: only through it can w1x be drawn.
  std::vector<std::string> links = SearchLinks(write(LineOf(3, 29, "w1x") + LineOf(4, 29)));
  ASSERT_EQ(links.size(), 2u);
  std::vector<std::string> queries;
  for (const std::string& link : links) {
    std::string query = Query(link.substr(0, link.size() - 1));
    std::istringstream words(query);
    std::set<std::string> distinct;
    int count = 0;
    for (std::string word; words >> word; ++count) distinct.insert(word);
    EXPECT_EQ(query[0], ' ');
    EXPECT_LE(count, 28);
    EXPECT_EQ(static_cast<int>(distinct.size()), count) << query;
    if (!queries.empty()) {
      EXPECT_EQ(distinct.count("w1x"), 0u) << query;
    }
    queries.push_back(query);
  }
  EXPECT_NE(queries[0], queries[1]);
}

TEST(SearchAddressTextTest, EscapesOnlyTheBytesThatChangeTheAddress) {
  EXPECT_EQ(search_address_text("100% \"AT&T\" #1 C++ \xC3\xA9<"),
            "100%25 %22AT%26T%22 %231 C%2B%2B \xC3\xA9<");
}

}  // namespace
}  // namespace quillon
