// The alignment itself is line_alignment_test's; here, what the page makes
// of it: the names, the counts, folds and parts.

#include "compare/changes_pages.h"

#include <gtest/gtest.h>

#include "run/work_files.h"
#include "support/test_run.h"

namespace quillon {
namespace {

bool Has(const std::string& page, const std::string& text) {
  return page.find(text) != std::string::npos;
}

long Count(const std::string& page, const std::string& text) {
  long count = 0;
  for (size_t at = page.find(text); at != std::string::npos; at = page.find(text, at + 1)) ++count;
  return count;
}

struct ChangesRun {
  ChangesRun(const std::string& left, const std::string& right) {
    t.disk.AddFile("txt_in/page_1.txt", left);
    t.disk.AddFile("txt_in/b.txt", right);
    t.disk.AddFile("txt_wrk/file_page_1.txt", left);
    t.disk.AddFile("txt_wrk/b.txt", right);
    t.disk.AddDir("htm_out");
    source.left_copy = "file_page_1.txt";
    source.right_copy = "b.txt";
    source.first_page = "page_01.htm";
  }
  FakeRun t;
  ChangesSource source;
};

// The end-to-end comparison test sees text stay text and a changed pair
// marked; here, the counts, the rows that stand alone, and the names.
TEST(ChangesPagesTest, CountsRowsAndNames) {
  ChangesRun c(
      "\xEF\xBB\xBF"
      "a\r\nsame\r\none two\r\ngone\r\n",
      "a\r\nnew\r\nsame\r\none three\r\n");
  EXPECT_EQ(write_changes_pages(c.t.run, c.source), 1);
  std::string page = c.t.disk.Files()["txt_wrk/changes.htm"];
  // Named as chosen in compare_in, before the name was cleaned.
  EXPECT_TRUE(Has(page, "<h1>Changes from page_1.txt to b.txt</h1>"));
  EXPECT_TRUE(Has(page,
                  "Lines equal: <b>2</b> &middot; changed pairs: <b>1</b> &middot; removed: "
                  "<b>1</b> &middot; added: <b>1</b> &middot; similarity: <b>50.0%</b>"));
  EXPECT_TRUE(Has(page, "<a href=\"page_01.htm\">"));
  // The byte order mark is gone, so the first lines are equal; a line on
  // one side only leaves the other side's cells empty.
  const char* rows[] = {
      "<tr><td class=\"n\">1</td><td>a</td><td class=\"m\"></td><td class=\"n\">1</td>",
      "<tr class=\"a\"><td class=\"n\"></td><td></td><td class=\"m\">&gt;</td>",
      "<td>gone</td><td class=\"m\">&lt;</td><td class=\"n\"></td><td></td></tr>",
  };
  size_t at = 0;
  for (const char* row : rows) ASSERT_NE(at = page.find(row, at), std::string::npos) << row;

  // Names given to show are shown as text too; two empty files are the same.
  ChangesRun empty("", "");
  empty.source.left_name = "<i>first</i>";
  empty.source.right_name = "second & last";
  write_changes_pages(empty.t.run, empty.source);
  page = empty.t.disk.Files()["txt_wrk/changes.htm"];
  EXPECT_TRUE(Has(page, "<h1>Changes from &lt;i&gt;first&lt;/i&gt; to second &amp; last</h1>"));
  EXPECT_TRUE(Has(page, "similarity: <b>100.0%</b>"));
}

// Long texts go on from part to part, every row once; long runs of equal
// lines fold, with context next to a change only.
TEST(ChangesPagesTest, PartsAndFoldsKeepEveryRowOnce) {
  std::string left, right;
  for (int i = 1; i <= 200; ++i) {
    left += "line " + std::to_string(i) + "\r\n";
    right += (i == 100 ? "changed" : "line " + std::to_string(i)) + "\r\n";
  }
  ChangesRun c(left, right);
  EXPECT_EQ(write_changes_pages(c.t.run, c.source), 1);
  std::string page = c.t.disk.Files()["txt_wrk/changes.htm"];
  EXPECT_TRUE(Has(page, "<summary>96 equal lines (1&ndash;96 and 1&ndash;96)</summary>"));
  EXPECT_TRUE(Has(page, "<summary>97 equal lines (104&ndash;200 and 104&ndash;200)</summary>"));
  EXPECT_EQ(Count(page, "<tr"), 201);  // The head row, 199 equal rows and the changed pair.

  c.source.part_size = 3000;
  long parts = write_changes_pages(c.t.run, c.source);
  ASSERT_GT(parts, 3);
  deliver_changes_pages(c.t.run, parts);
  FileMap files = c.t.disk.Files();
  long rows = 0;
  for (long part = 1; part <= parts; ++part) {
    const std::string name = work_files::changes_page(part);
    EXPECT_EQ(files.count("txt_wrk/" + name), 0u);
    const std::string& part_page = files["htm_out/" + name];
    rows += Count(part_page, "<tr") - 1;
    EXPECT_EQ(Has(part_page, work_files::changes_page(part - 1) + "\">Before<"), part > 1) << part;
    EXPECT_EQ(Has(part_page, work_files::changes_page(part + 1) + "\">Next<"), part < parts)
        << part;
  }
  EXPECT_EQ(rows, 200);
  EXPECT_TRUE(c.t.run.failures.empty());
}

}  // namespace
}  // namespace quillon
