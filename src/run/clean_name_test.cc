#include "run/clean_name.h"

#include <gtest/gtest.h>

#include <set>

namespace quillon {
namespace {

TEST(CleanNameTest, InputAndWorkingCopyNames) {
  // Each byte of a non-ASCII letter becomes one "_" (\304\214 is a C with a
  // caron); ".txt" is looked for before ".htm".
  const std::pair<const char*, const char*> cases[] = {
      {"\304\214aj.txt", "__aj.txt"},    {"a-b.c.txt", "a_b_c.txt"},
      {"page_x.htm", "file_page_x.htm"}, {"PAGE 3.txt", "file_PAGE_3.txt"},
      {"mypage_1.txt", "mypage_1.txt"},  {"c.txt.bak", "c.txt.bak"},
      {"a.htm.txt", "a_htm.txt"},        {"  x y.txt", "x_y.txt"}};
  for (const auto& c : cases) EXPECT_EQ(clean_name(input_name_parts(c.first)), c.second) << c.first;
  EXPECT_EQ(input_name_parts(" My File.Txt ").extension, ".Txt ");
  EXPECT_EQ(input_name_parts("data.csv").marker, 0);
  EXPECT_EQ(working_copy_name_parts("a.htm").marker, 0);
  EXPECT_EQ(clean_name(working_copy_name_parts("page_1.txt")), "file_page_1.txt");
}

// A name that grows past the limit is cut before its extension, and a cut
// name that is taken gets the first free number.
TEST(CleanNameTest, NamesTooLongAfterCleaningAreCutToFitAndStayUnique) {
  std::set<std::string> taken = {"file_page_xxx.txt", "file_page_x_2.txt"};
  auto is_taken = [&](const std::string& name) { return taken.count(name) > 0; };
  EXPECT_EQ(fitted_name("file_page_xy.txt", ".txt", 20, is_taken), "file_page_xy.txt");
  EXPECT_EQ(fitted_name("file_page_xyz.txt.bak", ".txt.bak", 17, is_taken), "file_page.txt.bak");
  EXPECT_EQ(fitted_name("file_page_xxxx.txt", ".txt", 17, is_taken), "file_page_x_3.txt");
}

}  // namespace
}  // namespace quillon
