// The numbered list, the two choices, the table width and every way the
// selection ends the run.

#include "intake/file_selection.h"

#include <gtest/gtest.h>

#include "base/end_run.h"
#include "base/test_run.h"

namespace quillon {
namespace {

// The program's folder as intake leaves it: txt_wrk and htm_wrk made, and two
// inputs.
class FileSelectionTest : public ::testing::Test {
 protected:
  void Start(const std::string& keys) {
    t = std::make_unique<FakeRun>(keys);
    t->disk.AddDir("txt_wrk");
    t->disk.AddDir("htm_wrk");
    t->disk.AddFile("compare_in/a.txt", "a.txt text");
    t->disk.AddFile("compare_in/b.txt", "b.txt text");
  }
  bool Select() {
    try {
      select_input_files(t->run);
      return true;
    } catch (const RunEnded&) {
      return false;
    }
  }
  std::unique_ptr<FakeRun> t;
};

TEST_F(FileSelectionTest, TxtInHoldsTheChoicesAndHtmInIsEmptied) {
  Start("2\n1\n\n");
  t->disk.AddFile("txt_in/stale.txt", "old");
  t->disk.AddFile("htm_in/stale.htm", "old");
  EXPECT_TRUE(Select());
  std::map<std::string, std::string> txt_in, htm_in;
  for (const auto& file : t->disk.Files()) {
    if (file.first.compare(0, 7, "txt_in/") == 0) txt_in[file.first] = file.second;
    if (file.first.compare(0, 7, "htm_in/") == 0) htm_in[file.first] = file.second;
  }
  EXPECT_EQ(txt_in, (std::map<std::string, std::string>{{"txt_in/a.txt", "a.txt text"},
                                                        {"txt_in/b.txt", "b.txt text"}}));
  EXPECT_TRUE(htm_in.empty());
}

// Enter, 140 and -5 are the end-to-end cases.
TEST_F(FileSelectionTest, TableWidthAsEntered) {
  for (const auto& answer : {std::make_pair("0", "100%"), std::make_pair("abc", "100%"),
                             std::make_pair("  80 wide", "80%")}) {
    Start(std::string("1\n2\n") + answer.first + "\n");
    EXPECT_TRUE(Select());
    EXPECT_EQ(t->run.settings.table_width, answer.second) << answer.first;
  }
}

TEST_F(FileSelectionTest, EmptyTxtInEndsTheRun) {
  Start("1\n2\n\n");
  t->disk.AddFault({DiskOp::kOpenWrite, "txt_in/a.txt", 1, 0});
  t->disk.AddFault({DiskOp::kOpenWrite, "txt_in/b.txt", 1, 0});
  EXPECT_FALSE(Select());
  const std::string tail =
      "\r\n----------------------------\r\nSubfolder txt_in is empty\r\n\r\n"
      "<1> = continue and end\r\n";
  std::string transcript = t->transcript();
  EXPECT_EQ(transcript.substr(transcript.size() - tail.size()), tail);
}

TEST(TextFileCountTest, CountsLowerCaseTxtOnly) {
  FakeRun t;
  t.disk.AddFile("list.txt", "a.txt\r\nB.TXT\r\nc.txt.bak\r\nd.htm\r\n");
  EXPECT_EQ(text_file_count(t.run, "list.txt"), 2);
  EXPECT_EQ(text_file_count(t.run, "missing.txt"), 0);
}

}  // namespace
}  // namespace quillon
