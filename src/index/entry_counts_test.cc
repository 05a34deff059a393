#include "index/entry_counts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/text.h"
#include "index/word_index_page.h"
#include "support/test_run.h"

namespace quillon {
namespace {

std::string Record(const std::vector<std::string>& items) {
  std::string line;
  for (const std::string& item : items) line += (line.empty() ? "\"" : ",\"") + item + "\"";
  return line + "\r\n";
}

TEST(EntryCountsTest, CountsLinesThatContainTheIdAnywhere) {
  FakeRun fake;
  fake.disk.AddFile("wrd_11_1.txt",
                    Record({"page_01.htm", "1", "1", "xid00000007y", "id00000003", "1"}) +
                        Record({"page_01.htm", "1", "9", "id00000007", "id00000007", "1"}) +
                        Record({"page_01.htm", "2", "1", "id000000071", "id00000004", "1"}));
  EntryCounts counts(fake.run);
  EXPECT_EQ(counts.Count("id00000007", "1", "9"), "3");
  EXPECT_EQ(counts.Count("id00000099", "1", "9"), "0");
}

}  // namespace
}  // namespace quillon
