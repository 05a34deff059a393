#include "index/search_pages.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_run.h"

namespace quillon {
namespace {

// An occurrence: page, line, position, word, word id number, occurrence.
struct Record {
  std::string page;
  uint32_t line, start;
  std::string word;
  uint32_t id, number;
};
using Records = std::vector<Record>;

// The records as the one group of a table, in the order given.
WordTable Table(const Records& records) {
  WordTable table;
  table.group_count = 1;
  for (const Record& r : records) {
    if (table.linked_pages.empty() || table.linked_pages.back() != r.page) {
      table.linked_pages.push_back(r.page);
    }
    Occurrence o;
    o.word_at = table.text.size();
    o.word_size = static_cast<uint32_t>(r.word.size());
    o.page = static_cast<uint32_t>(table.linked_pages.size() - 1);
    o.line = r.line;
    o.start = r.start;
    o.id = r.id;
    o.number = r.number;
    table.text += r.word;
    table.occurrences.push_back(o);
  }
  return table;
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

Records LineOf(uint32_t line, uint32_t words, const std::string& repeated = "") {
  Records records;
  for (uint32_t i = 1; i <= words; ++i) {
    std::string word = i == words && !repeated.empty() ? repeated : "w" + std::to_string(i) + "x";
    records.push_back({"page_01.htm", line, i * 5, word, i % 10, 1});
  }
  return records;
}

Records Joined(Records a, const Records& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class SearchPageTest : public ::testing::Test {
 protected:
  std::string write(const Records& records) {
    write_group_search_page(fake_.run, Table(records), 1, site_);
    return fake_.disk.Content("s_1.htm");
  }
  FakeRun fake_;
  std::string site_;
};

// The reference run has no destination and no byte to escape.
TEST_F(SearchPageTest, LinksOfALineNameItsPageAndEscapeTheAddress) {
  site_ = "a&b.com";
  std::string page = write({{"page_01.htm", 2, 1, "AT&T", 1, 1},
                            {"page_01.htm", 2, 6, "C++", 0, 1},
                            {"page_02.htm", 2, 1, "#tag", 2, 4}});
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
  std::vector<std::string> links = SearchLinks(write(Joined(LineOf(3, 29, "w1x"), LineOf(4, 29))));
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
