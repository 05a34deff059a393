// The model checks the search pages, but its lines are too short for a
// query drawn at random, and it shares the escape with the program.

#include "index/search_pages.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_run.h"

namespace quillon {
namespace {

// The web-search queries of s_1.htm for `lines` lines of the words w1x,
// w2x, ... up to `words`, save that the first line ends with `last`.
std::vector<std::string> Queries(FakeRun& t, uint32_t lines, uint32_t words,
                                 const std::string& last = "") {
  WordTable table;
  table.group_count = 1;
  table.linked_pages = {"page_01.htm"};
  for (uint32_t line = 1; line <= lines; ++line) {
    for (uint32_t i = 1; i <= words; ++i) {
      std::string word =
          line == 1 && i == words && !last.empty() ? last : "w" + std::to_string(i) + "x";
      table.occurrences.push_back(
          {table.text.size(), static_cast<uint32_t>(word.size()), 0, line, i * 5, i % 10, 1});
      table.text += word;
    }
  }
  PageWork work(t.disk, &t.run.failures);
  write_group_search_page(work, table, 1, "", &t.run.random);
  std::string page = t.disk.Content("s_1.htm"), start = "search?q=";
  std::vector<std::string> queries;
  for (size_t at = page.find(start); at != std::string::npos; at = page.find(start, at + 1)) {
    at += start.size();
    queries.push_back(page.substr(at, page.find("\"> web_search", at) - at));
  }
  return queries;
}

// Up to 28 words are the query as they stand (the model pins that) and draw
// nothing; from 29 on, the query is up to 28 distinct words drawn at random,
// never the first (the first line's last word repeats it: only through it
// can w1x be drawn).
TEST(SearchPageTest, LongLinesDrawTheirQueryAtRandom) {
  FakeRun t;
  EXPECT_EQ(Queries(t, 1, 28).size(), 1u);
  EXPECT_EQ(t.run.random.random_fraction(), RandomFractions().random_fraction());
  std::vector<std::string> queries = Queries(t, 2, 29, "w1x");
  ASSERT_EQ(queries.size(), 2u);
  for (const std::string& query : queries) {
    std::istringstream words(query);
    std::set<std::string> distinct;
    int count = 0;
    for (std::string word; words >> word; ++count) distinct.insert(word);
    EXPECT_EQ(query[0], ' ');
    EXPECT_LE(count, 28);
    EXPECT_EQ(static_cast<int>(distinct.size()), count) << query;
  }
  EXPECT_EQ(queries[1].find("w1x"), std::string::npos) << queries[1];
  EXPECT_NE(queries[0], queries[1]);
  EXPECT_EQ(search_address_text("100% \"AT&T\" #1 C++ \xC3\xA9<"),
            "100%25 %22AT%26T%22 %231 C%2B%2B \xC3\xA9<");
}

}  // namespace
}  // namespace quillon
