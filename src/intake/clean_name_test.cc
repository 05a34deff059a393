#include "intake/clean_name.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

std::string InputClean(const std::string& entry) {
  return clean_name(input_name_parts(entry));
}

TEST(CleanNameTest, InputNames) {
  EXPECT_EQ(InputClean("My File.txt"), "My_File.txt");
  EXPECT_EQ(InputClean("\xc4\x8c"
                       "aj.txt"),
            "__aj.txt");  // one "_" per byte
  EXPECT_EQ(InputClean("\xe2\x82\xac.txt"), "___.txt");
  EXPECT_EQ(InputClean("a-b.c.txt"), "a_b_c.txt");
  EXPECT_EQ(InputClean("Page_2.txt"), "file_Page_2.txt");
  EXPECT_EQ(InputClean("page_x.htm"), "file_page_x.htm");
  EXPECT_EQ(InputClean("PAGE 3.txt"), "file_PAGE_3.txt");
  EXPECT_EQ(InputClean("mypage_1.txt"), "mypage_1.txt");
  EXPECT_EQ(InputClean("notes.TXT"), "notes.TXT");
  EXPECT_EQ(InputClean("report.html"), "report.html");
  EXPECT_EQ(InputClean("c.txt.bak"), "c.txt.bak");
  EXPECT_EQ(InputClean("a.htm.txt"), "a_htm.txt");  // ".txt" is looked for first
  EXPECT_EQ(InputClean("  x y.txt"), "x_y.txt");
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
