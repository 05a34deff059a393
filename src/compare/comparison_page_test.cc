#include "compare/comparison_page.h"

#include <gtest/gtest.h>

#include "base/end_run.h"
#include "base/test_run.h"

namespace quillon {
namespace {

const char kHead[] =
    "<HTML>\r\n<head>\r\n"
    "<meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">\r\n"
    "<title>\r\ncompare.htm\r\n</title>\r\n</head>\r\n<body>\r\n<br>\r\n<br><br>\r\n"
    "<b>Just double-clicking on any word is enough to access the index of all words (full-text "
    "search).</b>\r\n";

const char kFailure[] =
    "\r\n----------------------------\r\nCheck the contents of the txt_wrk subfolder.\r\n"
    "Must contain a 2 *.txt file.\r\n\r\n<...> any key to continue and end\r\n";

bool Write(FakeRun& t) {
  try {
    write_comparison_page(t.run);
    return true;
  } catch (const RunEnded&) {
    return false;
  }
}

// The end-to-end test pins the cells line by line; here, which files fill them.
TEST(ComparisonPageTest, TheFirstTwoListedTextFilesGoSideBySide) {
  FakeRun t;
  t.run.settings.table_width = "80%";
  t.disk.AddDir("htm_wrk");
  t.disk.AddFile("txt_wrk.list", "b.txt\r\na.TXT\r\nc.txt\r\n");
  t.disk.AddFile("txt_wrk/b.txt", "left");
  t.disk.AddFile("txt_wrk/a.TXT", "right");
  t.disk.AddFile("txt_wrk/c.txt", "never");
  EXPECT_TRUE(Write(t));
  EXPECT_EQ(t.disk.Content("htm_wrk/compare.htm"),
            std::string(kHead) +
                "<table style=\"width:80%\">\r\n<tr valign=\"top\">\r\n<td>\r\n <br>left\r\n"
                "</td>\r\n<td>\r\n<td>\r\n <br>right\r\n"
                "</td>\r\n</tr>\r\n</table>\r\n<br>\r\n</body>\r\n</html>\r\n");
  EXPECT_EQ(t.transcript(), "");
}

TEST(ComparisonPageTest, OneWorkingCopyWritesTheLeftCellThenEnds) {
  FakeRun t;
  t.run.settings.table_width = "100%";
  t.disk.AddFile("txt_wrk.list", "a.txt\r\n");
  t.disk.AddFile("txt_wrk/a.txt", "only\r\n");
  EXPECT_FALSE(Write(t));
  t.run.files.close_all();
  EXPECT_EQ(t.disk.Content("compare.htm"),
            std::string(kHead) +
                "<table style=\"width:100%\">\r\n<tr valign=\"top\">\r\n<td>\r\n <br>only\r\n"
                "</td>\r\n");
  EXPECT_EQ(t.transcript(), kFailure);
}

TEST(ComparisonPageTest, NoWorkingCopyWritesNothing) {
  FakeRun t;
  t.disk.AddFile("txt_wrk.list", "");
  EXPECT_FALSE(Write(t));
  EXPECT_FALSE(t.disk.HasFile("compare.htm"));
  EXPECT_EQ(t.transcript(), kFailure);
}

}  // namespace
}  // namespace quillon
