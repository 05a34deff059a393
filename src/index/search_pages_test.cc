// The model comparison checks the search pages; its lines are too short for
// a query drawn at random, and it shares the escape with the program.

#include "index/search_pages.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_run.h"

namespace quillon {
namespace {

// The queries of the search page of one group: `lines` lines of page_01.htm,
// each of the words w1x, w2x, ... up to `words`, save that the first line's
// last word is `last` when given.
std::vector<std::string> Queries(FakeRun& t, uint32_t lines, uint32_t words,
                                 const std::string& last = "") {
  WordTable table;
  table.group_count = 1;
  table.linked_pages = {"page_01.htm"};
  for (uint32_t line = 1; line <= lines; ++line) {
    for (uint32_t i = 1; i <= words; ++i) {
      std::string word =
          line == 1 && i == words && !last.empty() ? last : "w" + std::to_string(i) + "x";
      Occurrence o;
      o.word_at = table.text.size();
      o.word_size = static_cast<uint32_t>(word.size());
      o.line = line;
      o.start = i * 5;
      o.id = i % 10;
      o.number = 1;
      table.text += word;
      table.occurrences.push_back(o);
    }
  }
  PageWork work(t.disk, &t.run.failures);
  write_group_search_page(work, table, 1, "", &t.run.random);
  const std::string start = "&nbsp <a href=\"http://www.google.com/search?q=";
  std::vector<std::string> queries;
  std::istringstream in(t.disk.Content("s_1.htm"));
  for (std::string line; std::getline(in, line);) {
    size_t end = line.find("\"> web_search </a>");
    if (line.rfind(start, 0) == 0 && end != std::string::npos) {
      queries.push_back(line.substr(start.size(), end - start.size()));
    }
  }
  return queries;
}

// Up to 28 words are the query as they stand, and draw nothing; from 29 on,
// the query is up to 28 distinct words drawn at random, never the first.
TEST(SearchPageTest, LongLinesDrawTheirQueryAtRandom) {
  FakeRun t;
  std::string all;
  for (int i = 1; i <= 28; ++i) all += "w" + std::to_string(i) + "x ";
  EXPECT_EQ(Queries(t, 1, 28), std::vector<std::string>{all});
  EXPECT_EQ(t.run.random.random_fraction(), RandomFractions().random_fraction());
  // The first line's last word repeats its first: only through it can w1x
  // be drawn there.
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
}

TEST(SearchAddressTextTest, EscapesOnlyTheBytesThatChangeTheAddress) {
  EXPECT_EQ(search_address_text("100% \"AT&T\" #1 C++ \xC3\xA9<"),
            "100%25 %22AT%26T%22 %231 C%2B%2B \xC3\xA9<");
}

}  // namespace
}  // namespace quillon
