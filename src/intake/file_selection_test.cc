// The choice of files, and the table width as typed, are the end-to-end
// tests'; here, what the choice leaves in txt_in and htm_in.

#include "intake/file_selection.h"

#include <gtest/gtest.h>

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
    return Completes([&] { select_input_files(t->run); });
  }
  std::vector<Fault> faults;
  std::unique_ptr<FakeRun> t;
};

TEST_F(FileSelectionTest, TxtInHoldsTheChoicesAndHtmInIsEmptied) {
  EXPECT_TRUE(Select("2\n1\n\n"));
  EXPECT_EQ(t->disk.Content("txt_in/a.txt"), "a.txt text");
  EXPECT_EQ(t->disk.Content("txt_in/b.txt"), "b.txt text");
  EXPECT_FALSE(t->disk.HasFile("txt_in/stale.txt"));
  EXPECT_FALSE(t->disk.HasFile("htm_in/stale.htm"));
}

TEST_F(FileSelectionTest, CopiesThatCannotBeWrittenEndTheRun) {
  // Each copy is made aside and then takes its name.
  faults = {{DiskOp::kRename, "copy_01.tmp", 1, 0}, {DiskOp::kRename, "copy_01.tmp", 1, 0}};
  EXPECT_FALSE(Select("1\n2\n\n"));
  EXPECT_NE(t->transcript().find("Subfolder txt_in is empty\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quillon
