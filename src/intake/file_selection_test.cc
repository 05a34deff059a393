// The choice of files, and the table width as typed, are the end-to-end
// tests'; here, what the choice leaves in txt_in and htm_in.

#include "intake/file_selection.h"

#include <gtest/gtest.h>

#include "support/test_run.h"

namespace quillon {
namespace {

// The program's folder as intake leaves it, with two inputs and stale choices.
// Each copy is made aside and then takes its name: when neither can take it,
// txt_in is found empty and the run ends.
TEST(FileSelectionTest, TxtInHoldsTheChoicesOnlyAndHtmInIsEmptied) {
  for (bool copies_fail : {false, true}) {
    FakeRun t("2\n1\n\n");
    t.disk.AddDir("txt_wrk");
    t.disk.AddDir("htm_wrk");
    t.disk.AddFile("compare_in/a.txt", "a.txt text");
    t.disk.AddFile("compare_in/b.txt", "b.txt text");
    t.disk.AddFile("txt_in/stale.txt", "old");
    t.disk.AddFile("htm_in/stale.htm", "old");
    for (int copy = 0; copies_fail && copy < 2; ++copy) {
      t.disk.AddFault({DiskOp::kRename, "copy_01.tmp", 1, 0});
    }
    EXPECT_EQ(Completes([&] { select_input_files(t.run); }), !copies_fail);
    EXPECT_FALSE(t.disk.HasFile("txt_in/stale.txt"));
    if (copies_fail) {
      EXPECT_NE(t.transcript().find("Subfolder txt_in is empty\r\n"), std::string::npos);
      continue;
    }
    EXPECT_EQ(t.disk.Files("txt_in"), (FileMap{{"a.txt", "a.txt text"}, {"b.txt", "b.txt text"}}));
    EXPECT_FALSE(t.disk.HasFile("htm_in/stale.htm"));
  }
}

}  // namespace
}  // namespace quillon
