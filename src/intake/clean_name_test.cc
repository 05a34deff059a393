#include "intake/clean_name.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(CleanNameTest, InputNames) {
  // Each byte of a non-ASCII letter becomes one "_" (\304\214 is a C with a
  // caron); ".txt" is looked for before ".htm".
  const std::pair<const char*, const char*> cases[] = {
      {"My File.txt", "My_File.txt"},    {"\304\214aj.txt", "__aj.txt"},
      {"\xe2\x82\xac.txt", "___.txt"},   {"a-b.c.txt", "a_b_c.txt"},
      {"Page_2.txt", "file_Page_2.txt"}, {"page_x.htm", "file_page_x.htm"},
      {"PAGE 3.txt", "file_PAGE_3.txt"}, {"mypage_1.txt", "mypage_1.txt"},
      {"notes.TXT", "notes.TXT"},        {"report.html", "report.html"},
      {"c.txt.bak", "c.txt.bak"},        {"a.htm.txt", "a_htm.txt"},
      {"  x y.txt", "x_y.txt"}};
  for (const auto& c : cases) EXPECT_EQ(clean_name(input_name_parts(c.first)), c.second) << c.first;
}

TEST(CleanNameTest, PartsOfAnInputName) {
  NameParts parts = input_name_parts(" My File.Txt ");
  EXPECT_EQ(parts.marker, 9);
  EXPECT_EQ(parts.given, "My File.Txt");
  EXPECT_EQ(parts.stem, "My File");
  EXPECT_EQ(parts.extension, ".Txt ");
  EXPECT_EQ(input_name_parts("data.csv").marker, 0);
  EXPECT_EQ(input_name_parts("old").marker, 0);
}

TEST(CleanNameTest, WorkingCopyNamesKnowOnlyTxt) {
  EXPECT_EQ(working_copy_name_parts("a.htm").marker, 0);
  EXPECT_EQ(clean_name(working_copy_name_parts("page_1.txt")), "file_page_1.txt");
  EXPECT_EQ(clean_name(working_copy_name_parts("Notes.TXT")), "Notes.TXT");
  EXPECT_EQ(clean_name(working_copy_name_parts("My File.txt")), "My_File.txt");
}

}  // namespace
}  // namespace quillon
