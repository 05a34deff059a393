// The group index, contents, search and word index pages of a real run,
// rebuilt from the occurrence file that run left in wrd_24, compared byte
// for byte with the pages it delivered.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "index/group_index_pages.h"
#include "index/search_pages.h"
#include "index/word_index_page.h"
#include "support/test_run.h"

namespace quillon {
namespace {

const std::string kGolden = std::string(QUILLON_SOURCE_DIR) + "/testdata/golden/basic/after/";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// The items of a quoted record line "a","b",... (no item holds a quote).
std::vector<std::string> Items(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::vector<std::string> items;
  size_t start = 1;
  for (size_t end; (end = line.find('"', start)) != std::string::npos; start = end + 3) {
    items.push_back(line.substr(start, end - start));
  }
  return items;
}

std::string Record(const std::vector<std::string>& items) {
  std::string line;
  for (const std::string& item : items) line += (line.empty() ? "\"" : ",\"") + item + "\"";
  return line + "\r\n";
}

class GoldenPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string occurrences = ReadFile(std::string(kGolden) + "wrd_24/wrd_24_1.txt");
    if (occurrences.empty()) GTEST_SKIP() << "no golden run at " << kGolden;
    std::vector<std::vector<std::string>> records;
    std::istringstream lines(occurrences);
    for (std::string line; std::getline(lines, line);) records.push_back(Items(line));
    std::string by_place, by_word, all_groups;
    std::vector<std::vector<std::string>> sorted;
    for (const auto& r : records) {
      by_place += Record({r[0], r[1], r[2], r[3], r[4], r[5]});
      all_groups += Record({r[4], "    1", r[0], r[1], r[2], r[3], r[5]});
      sorted.push_back({r[4], r[0], r[1], r[2], r[3], r[4], r[5]});
    }
    std::sort(sorted.begin(), sorted.end());
    for (const auto& r : sorted) by_word += Record(r);
    fake_.disk.AddFile("wrd_11_1.txt", by_place);
    fake_.disk.AddFile("wrd_12_1.txt", by_place);
    fake_.disk.AddFile("wrd_14_1.txt", by_word);
    fake_.disk.AddFile("wrd_15.txt", all_groups);
    fake_.disk.AddFile("group_page_all_sort.txt", "page_01.htm\r\n");
  }

  void ExpectPage(const std::string& name) {
    // The date and time lines of the page head differ from run to run.
    std::string golden = ReadFile(std::string(kGolden) + "htm_out/" + name);
    ASSERT_FALSE(golden.empty()) << name;
    EXPECT_EQ(WithoutClock(fake_.disk.Content(name)), WithoutClock(golden)) << name;
  }

  FakeRun fake_;
};

TEST_F(GoldenPagesTest, PagesMatchTheDeliveredOnes) {
  write_group_index_page(fake_.run, 1);
  write_group_search_page(fake_.run, 1, "");
  EXPECT_EQ(write_word_index(fake_.run), 39);
  ExpectPage("i_1.htm");
  ExpectPage("files_list.htm");
  ExpectPage("s_1.htm");
  ExpectPage("index.htm");
  EXPECT_EQ(fake_.transcript(),
            "processed 60%\r\nprocessed 70%\r\nprocessed 80%\r\nprocessed 90%\r\n");
}

}  // namespace
}  // namespace quillon
