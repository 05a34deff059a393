#include "compare/comparison_page.h"

#include <gtest/gtest.h>

#include "base/end_run.h"
#include "support/test_run.h"

namespace quillon {
namespace {

bool write(FakeRun& t) {
  try {
    write_comparison_page(t.run, "100%");
    return true;
  } catch (const RunEnded&) {
    return false;
  }
}

// The end-to-end test pins the cells line by line; here, which files fill them.
TEST(ComparisonPageTest, TheFirstTwoListedTextFilesGoSideBySide) {
  FakeRun t;
  t.disk.AddDir("htm_wrk");
  t.disk.AddFile("txt_wrk.list", "b.txt\r\na.TXT\r\nc.txt\r\n");
  t.disk.AddFile("txt_wrk/b.txt", "left");
  t.disk.AddFile("txt_wrk/a.TXT", "right");
  t.disk.AddFile("txt_wrk/c.txt", "never");
  EXPECT_TRUE(write(t));
  const std::string page = t.disk.Content("htm_wrk/compare.htm");
  EXPECT_LT(page.find("<td>\r\n <br>left\r\n"), page.find("<td>\r\n <br>right\r\n"));
  EXPECT_EQ(page.find("never"), std::string::npos);
  EXPECT_EQ(t.transcript(), "");
}

// One working copy leaves the page cut after its cell, none leaves no page.
TEST(ComparisonPageTest, FewerThanTwoWorkingCopiesEndTheRun) {
  const std::string failure =
      "\r\n----------------------------\r\nCheck the contents of the txt_wrk subfolder.\r\n"
      "Must contain a 2 *.txt file.\r\n\r\n<...> any key to continue and end\r\n";
  for (const char* list : {"a.txt\r\n", ""}) {
    FakeRun t;
    t.disk.AddFile("txt_wrk.list", list);
    t.disk.AddFile("txt_wrk/a.txt", "only\r\n");
    EXPECT_FALSE(write(t));
    t.run.files.close_all();
    const std::string page = t.disk.Content("compare.htm"), cell = "<td>\r\n <br>only\r\n</td>\r\n";
    EXPECT_EQ(t.disk.HasFile("compare.htm"), *list != '\0');
    if (*list) {
      EXPECT_EQ(page.substr(page.size() - cell.size()), cell);
    }
    EXPECT_EQ(t.transcript(), failure);
  }
}

}  // namespace
}  // namespace quillon
