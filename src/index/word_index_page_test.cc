#include "index/word_index_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_run.h"

namespace quillon {
namespace {

// One occurrence as wrd_15.txt holds it, and as wrd_11_[g].txt does.
struct Occurrence {
  std::string word_id;
  int group;
  std::string word;
  int number;
};

std::string Quoted(const std::vector<std::string>& items) {
  std::string line;
  for (const std::string& item : items) line += (line.empty() ? "\"" : ",\"") + item + "\"";
  return line + "\r\n";
}

void WriteOccurrences(FakeDisk& disk, const std::vector<Occurrence>& occurrences) {
  std::string all;
  std::vector<std::string> groups(4);
  for (size_t i = 0; i < occurrences.size(); ++i) {
    const Occurrence& o = occurrences[i];
    std::string page = "page_0" + std::to_string(o.group) + ".htm";
    std::string line = "         " + std::to_string(i % 9 + 1);
    std::string number = std::to_string(o.number);
    all +=
        Quoted({o.word_id, "    " + std::to_string(o.group), page, line, "     1", o.word, number});
    groups[o.group] += Quoted({page, line, "     1", o.word, o.word_id, number});
  }
  disk.AddFile("wrd_15.txt", all);
  for (int g = 1; g < 4; ++g) {
    if (!groups[g].empty()) disk.AddFile("wrd_11_" + std::to_string(g) + ".txt", groups[g]);
  }
}

std::string Entry(const std::string& group, const std::string& id, const std::string& count) {
  return "&nbsp;&nbsp;<a href=\"i_" + group + ".htm#" + id + "\" id=\"" + id + "\">(i_" + group +
         (count.empty() ? "" : ",&nbsp;&nbsp;" + count) + ")</a>\r\n";
}

// The reference run has one group; here words span several, and the last
// entry has no count.
TEST(WordIndexPageTest, OneHeadingPerWordAndOneCountedLinkPerGroup) {
  FakeRun fake;
  WriteOccurrences(fake.disk, {{"id00000006", 1, "cat", 1},
                               {"id00000000", 3, "apple", 2},
                               {"id00000003", 2, "Bee", 1},
                               {"id00000000", 1, "Apple", 1},
                               {"id00000003", 2, "bee", 2},
                               {"id00000000", 3, "APPLE", 3},
                               {"id00000003", 2, "Bee", 3}});
  EXPECT_EQ(write_word_index(fake.run), 7);
  const std::string page = fake.disk.Content("index.htm");
  const std::string entries = "<br>\r\nApple\r\n" + Entry("1", "id00000000", "1") +
                              Entry("3", "id00000000", "2") + "<br>\r\nBee\r\n" +
                              Entry("2", "id00000003", "3") + "<br>\r\ncat\r\n" +
                              Entry("1", "id00000006", "") + "</body>\r\n</html>\r\n";
  ASSERT_GE(page.size(), entries.size());
  EXPECT_EQ(page.substr(page.size() - entries.size()), entries);
}

TEST(WordIndexPageTest, AMissingGroupFileShowsTheCountBeforeIt) {
  FakeRun fake;
  WriteOccurrences(fake.disk, {{"id00000000", 1, "one", 1},
                               {"id00000001", 2, "two", 1},
                               {"id00000001", 2, "two", 2},
                               {"id00000002", 3, "six", 1}});
  fake.disk.remove_file("wrd_11_2.txt");
  write_word_index(fake.run);
  EXPECT_NE(fake.disk.Content("index.htm").find(Entry("2", "id00000001", "1")), std::string::npos);
  EXPECT_EQ(fake.console.errors(), "File not found - wrd_11_2.txt\r\n");
}

}  // namespace
}  // namespace quillon
