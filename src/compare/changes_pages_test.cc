// The alignment itself is line_alignment_test's; here, what the page makes
// of it: the names, the counts, the marks, text that stays text, folds and
// parts. The end-to-end tests see it delivered.

#include "compare/changes_pages.h"

#include <gtest/gtest.h>

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

TEST(ChangesPagesTest, RowsShowTheLinesAsTextWithTheirChangesMarked) {
  ChangesRun c(
      "\xEF\xBB\xBF"
      "a\r\n<b>bold</b> & more\r\none two\r\ngone\r\n",
      "a\r\nnew\r\n<b>bold</b> & more\r\none three\r\n");
  EXPECT_EQ(write_changes_pages(c.t.run, c.source), 1);
  std::string page = c.t.disk.Files()["txt_wrk/changes.htm"];
  // Named as chosen in compare_in, before the name was cleaned.
  EXPECT_TRUE(Has(page, "<h1>Changes from page_1.txt to b.txt</h1>"));
  EXPECT_TRUE(Has(page,
                  "Lines equal: <b>2</b> &middot; changed pairs: <b>1</b> &middot; removed: "
                  "<b>1</b> &middot; added: <b>1</b> &middot; similarity: <b>50.0%</b>"));
  EXPECT_TRUE(Has(page, "<a href=\"index.htm\">") && Has(page, "<a href=\"page_01.htm\">"));
  const char* rows[] = {
      // The byte order mark is gone, so the first lines are equal.
      "<tr><td class=\"n\">1</td><td>a</td><td class=\"m\"></td><td class=\"n\">1</td>"
      "<td>a</td></tr>",
      "<tr class=\"a\"><td class=\"n\"></td><td></td><td class=\"m\">&gt;</td>"
      "<td class=\"n\">2</td><td>new</td></tr>",
      "<tr><td class=\"n\">2</td><td>&lt;b&gt;bold&lt;/b&gt; &amp; more</td>",
      "<tr class=\"c\"><td class=\"n\">3</td><td>one <del>two</del></td><td class=\"m\">|</td>"
      "<td class=\"n\">4</td><td>one <ins>three</ins></td></tr>",
      "<tr class=\"r\"><td class=\"n\">4</td><td>gone</td><td class=\"m\">&lt;</td>"
      "<td class=\"n\"></td><td></td></tr>",
  };
  size_t at = 0;
  for (const char* row : rows) {
    size_t found = page.find(row, at);
    ASSERT_NE(found, std::string::npos) << row;
    at = found;
  }
  EXPECT_FALSE(Has(page, "<b>bold"));
  EXPECT_FALSE(Has(page, "<script"));

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
    std::string name = part == 1 ? "changes.htm" : "changes_" + std::to_string(part) + ".htm";
    EXPECT_EQ(files.count("txt_wrk/" + name), 0u);
    std::string part_page = files["htm_out/" + name];
    rows += Count(part_page, "<tr") - 1;
    std::string before = part == 2 ? "changes.htm" : "changes_" + std::to_string(part - 1) + ".htm";
    EXPECT_EQ(Has(part_page, "<a href=\"" + before + "\">Before</a>"), part > 1) << part;
    EXPECT_EQ(Has(part_page, "<a href=\"changes_" + std::to_string(part + 1) + ".htm\">Next</a>"),
              part < parts)
        << part;
    EXPECT_TRUE(Has(part_page, "Part " + std::to_string(part) + " of " + std::to_string(parts)));
  }
  EXPECT_EQ(rows, 200);
  EXPECT_TRUE(c.t.run.failures.empty());
}

}  // namespace
}  // namespace quillon
