// find, findstr and sort, performed on a real temporary folder.

#include <gtest/gtest.h>

#include "support/test_run.h"

namespace quillon {
namespace {

class TextCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t.write("wrd.txt", "\"id01\",\"Alpha\"\r\nxid01y\nbeta\r\n\"ID01\"\r\n");
  }
  DiskRun t;
};

TEST_F(TextCommandsTest, FindAndFindstrSelectOrCountLines) {
  t.issue("find /c /i \"id01\" wrd.txt > count.txt");
  EXPECT_EQ(t.read("count.txt"), "---------- WRD.TXT: 3\r\n");
  EXPECT_EQ(t.issue("find /c \"gamma\" Wrd.txt"), "---------- WRD.TXT: 0\r\n");
  t.issue("find \"id01\" wrd.txt > out.txt");
  EXPECT_EQ(t.read("out.txt"), "\r\n---------- WRD.TXT\r\n\"id01\",\"Alpha\"\r\nxid01y\r\n");
}

TEST_F(TextCommandsTest, FiltersNameAMissingFileAsWritten) {
  EXPECT_EQ(t.issue("find /c \"x\" wrd_11_2.txt > count.txt"), "File not found - wrd_11_2.txt\r\n");
  EXPECT_EQ(t.read("count.txt"), "");
  EXPECT_EQ(t.issue("findstr \"x\" Missing.txt > out.txt"), "FINDSTR: Cannot open Missing.txt\r\n");
  EXPECT_EQ(t.issue("sort missing.txt /o out.txt"),
            "The system cannot find the file specified.\r\n");
}

TEST_F(TextCommandsTest, SortIgnoresCaseKeepsEqualKeysInInputOrderAndMaySortInPlace) {
  t.write("in.txt", "b\r\nB\r\na_\r\nA\r\n\r\nab\nAB\r\na\r\n_\r\n");
  const std::string sorted = "\r\nA\r\na\r\nab\r\nAB\r\na_\r\nb\r\nB\r\n_\r\n";
  EXPECT_EQ(t.issue("sort in.txt /o out.txt"), "");
  EXPECT_EQ(t.read("out.txt"), sorted);
  EXPECT_EQ(t.issue("sort in.txt"), sorted);
  t.issue("sort in.txt /o in.txt");
  EXPECT_EQ(t.read("in.txt"), sorted);
}

}  // namespace
}  // namespace quillon
