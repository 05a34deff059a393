#include "intake/file_selection.h"

#include <gtest/gtest.h>

#include "base/end_run.h"
#include "support/test_run.h"

namespace quillon {
namespace {

// The program's folder as intake leaves it, with two inputs and stale choices.
class FileSelectionTest : public ::testing::Test {
 protected:
  bool Select(const std::string& keys) {
    t = std::make_unique<FakeRun>(keys);
    t->disk.AddDir("txt_wrk");
    t->disk.AddDir("htm_wrk");
    t->disk.AddFile("compare_in/a.txt", "a.txt text");
    t->disk.AddFile("compare_in/b.txt", "b.txt text");
    for (const Fault& fault : faults) t->disk.AddFault(fault);
    t->disk.AddFile("txt_in/stale.txt", "old");
    t->disk.AddFile("htm_in/stale.htm", "old");
    try {
      table_width = select_input_files(t->run);
      return true;
    } catch (const RunEnded&) {
      return false;
    }
  }
  std::vector<Fault> faults;
  std::unique_ptr<FakeRun> t;
  std::string table_width;
};

TEST_F(FileSelectionTest, TxtInHoldsTheChoicesAndHtmInIsEmptied) {
  EXPECT_TRUE(Select("2\n1\n\n"));
  EXPECT_EQ(t->disk.Content("txt_in/a.txt"), "a.txt text");
  EXPECT_EQ(t->disk.Content("txt_in/b.txt"), "b.txt text");
  EXPECT_FALSE(t->disk.HasFile("txt_in/stale.txt"));
  EXPECT_FALSE(t->disk.HasFile("htm_in/stale.htm"));
}

// Enter and -5 are the end-to-end cases.
TEST_F(FileSelectionTest, TableWidthAsEntered) {
  for (const auto& answer : {std::make_pair("0", "100%"), std::make_pair("abc", "100%"),
                             std::make_pair("  80 wide", "80%"), std::make_pair("140", "140%")}) {
    EXPECT_TRUE(Select(std::string("1\n2\n") + answer.first + "\n"));
    EXPECT_EQ(table_width, answer.second) << answer.first;
  }
}

TEST_F(FileSelectionTest, CopiesThatCannotBeWrittenEndTheRun) {
  // Each copy is made aside and then takes its name.
  faults = {{DiskOp::kRename, "copy_01.tmp", 1, 0}, {DiskOp::kRename, "copy_01.tmp", 1, 0}};
  EXPECT_FALSE(Select("1\n2\n\n"));
  EXPECT_NE(t->transcript().find("Subfolder txt_in is empty\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quillon
