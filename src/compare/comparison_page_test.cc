// The page of two files, and its stop when txt_wrk holds fewer, are the
// end-to-end tests' and the reference run's; here, the parts of a large one.

#include "compare/comparison_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "support/test_run.h"

namespace quillon {
namespace {

// The cells of a page: the lines after " <br>" of the left and right cell.
std::pair<std::string, std::string> Cells(const std::string& page) {
  std::string cells[2];
  size_t at = page.find("<tr valign=\"top\">");
  for (std::string& cell : cells) {
    size_t from = page.find("<td>\r\n", at) + 6, end = page.find("</td>", from);
    if (page.compare(from, 6, "<td>\r\n") == 0) from += 6;
    for (size_t line = from; line < end; line = page.find("\r\n", line) + 2) {
      cell += page.substr(line + 5, page.find("\r\n", line) - line - 5) + "|";
    }
    at = end;
  }
  return {cells[0], cells[1]};
}

// txt_wrk as working copies leave it, with the program folder's twin of an
// HTML input when `twins` names one.
ComparisonPages Compare(FakeRun& t, const std::string& left, const std::string& right,
                        long part_size, const std::set<std::string>& twins) {
  t.disk.AddDir("htm_wrk");
  t.disk.AddFile("txt_wrk.list", "a.txt\r\nb.txt\r\n");
  t.disk.AddFile("txt_wrk/a.txt", left);
  t.disk.AddFile("txt_wrk/b.txt", right);
  for (const std::string& twin : twins) t.disk.AddFile(twin, twin == "a.txt" ? left : right);
  return write_comparison_page(t.run, "100%", part_size, twins);
}

// A page larger than the part size goes to htm_wrk in parts whose slices of
// both files advance together; compare.htm waits whole in txt_wrk. The parts
// show a text as text and the twin of an HTML input as markup, as the page.
TEST(ComparisonPageTest, ALargePageIsIndexedInParts) {
  const std::string left = "l<1\r\nl2\r\nl3\r\nl4\r\nl5\r\nl6\r\n";
  const struct {
    std::string left, right;
    long part_size;
    std::vector<std::pair<std::string, std::string>> parts;  // Empty: one page.
  } cases[] = {
      {left, "r1\r\nr2\r\nr3\r\n", 0, {}},
      {left,
       "<i>r1</i>\r\nr2\r\nr3\r\n",
       200,
       {{"l&lt;1|l2|", "<i>r1</i>|"}, {"l3|l4|", "r2|"}, {"l5|l6|", "r3|"}}},
      // A line longer than a part without a blank is cut where a part ends;
      // the other file still starts in the first part, and a part with
      // nothing of either file is left out.
      {std::string(700, 'x') + "\r\n",
       "r1\r\nr2\r\n",
       300,
       {{std::string(300, 'x') + "|", "r1|"},
        {std::string(300, 'x') + "|", ""},
        {"", "r2|"},
        {std::string(100, 'x') + "|", ""}}},
  };
  for (const auto& c : cases) {
    FakeRun t;
    ComparisonPages pages = Compare(t, c.left, c.right, c.part_size, {"b.txt"});
    std::map<std::string, std::string> files = t.disk.Files();
    const std::string whole = files[pages.whole_page_folder + "/compare.htm"];
    EXPECT_EQ(files.count("compare.htm"), 0u);
    EXPECT_EQ(pages.parts, static_cast<long>(c.parts.size()));
    EXPECT_EQ(pages.whole_page_folder, c.parts.empty() ? "htm_wrk" : "txt_wrk");
    if (c.parts.empty()) continue;
    EXPECT_EQ(files.count("htm_wrk/compare.htm"), 0u);
    std::string pad = c.parts.size() > 1 ? "0" : "";
    for (size_t k = 0; k < c.parts.size(); ++k) {
      std::string part = files["htm_wrk/part_" + pad + std::to_string(k + 1) + ".htm"];
      EXPECT_EQ(Cells(part), c.parts[k]) << k;
      // The same head and table as the whole page.
      EXPECT_EQ(part.substr(0, part.find("<td>")), whole.substr(0, whole.find("<td>")));
    }
  }
}

// A line longer than a part goes on in rows of the parts that follow, cut
// at blanks: every word whole, in its order, none of it lost (for a text,
// the end-to-end very long line shows as much). In the twin of an HTML
// input no row begins or ends inside a tag.
TEST(ComparisonPageTest, ALongLineOfMarkupIsCutBetweenTags) {
  std::string line;
  for (int i = 0; i < 300; ++i) {
    std::string word = "w" + std::to_string(i);
    line += (i ? " " : "") + ("<b class=\"k " + word + "\">" + word + "</b>");
  }
  FakeRun t;
  ComparisonPages pages = Compare(t, line + "\r\n", "right\r\n", 400, {"a.txt"});
  ASSERT_GT(pages.parts, 3);
  std::string rows;
  for (const auto& file : t.disk.Files("htm_wrk")) {
    std::string cells = Cells(file.second).first;
    for (size_t bar; (bar = cells.find('|')) != std::string::npos; cells.erase(0, bar + 1)) {
      std::string row = cells.substr(0, bar);
      EXPECT_LE(bar, 420u);
      EXPECT_EQ(std::count(row.begin(), row.end(), '<'), std::count(row.begin(), row.end(), '>'))
          << row;
      rows += (rows.empty() ? "" : " ") + row;
    }
  }
  EXPECT_EQ(rows, line);
}

}  // namespace
}  // namespace quillon
