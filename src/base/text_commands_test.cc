// find, findstr and sort, performed on a real temporary folder.

#include <gtest/gtest.h>

#include "base/test_run.h"

namespace quillon {
namespace {

std::string Issue(DiskRun& t, const std::string& line) {
  t.run.console.flush();
  t.console.clear();
  t.run.run_command(line);
  return t.transcript();
}

class TextCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t.Write("wrd.txt", "\"id01\",\"Alpha\"\r\nxid01y\nbeta\r\n\"ID01\"\r\n");
  }
  DiskRun t;
};

TEST_F(TextCommandsTest, FindCountsLinesThatContainTheText) {
  EXPECT_EQ(Issue(t, "find /c \"id01\" wrd.txt > count.txt"), "");
  EXPECT_EQ(t.Read("count.txt"), "---------- WRD.TXT: 2\r\n");
  Issue(t, "find /c /i \"id01\" wrd.txt > count.txt");
  EXPECT_EQ(t.Read("count.txt"), "---------- WRD.TXT: 3\r\n");
  Issue(t, "find /c \"gamma\" Wrd.txt > count.txt");
  EXPECT_EQ(t.Read("count.txt"), "---------- WRD.TXT: 0\r\n");
  EXPECT_EQ(Issue(t, "find /c \"beta\" wrd.txt"), "---------- WRD.TXT: 1\r\n");
}

TEST_F(TextCommandsTest, FindAndFindstrSelectLinesUnchanged) {
  Issue(t, "find \"id01\" wrd.txt > out.txt");
  EXPECT_EQ(t.Read("out.txt"), "\r\n---------- WRD.TXT\r\n\"id01\",\"Alpha\"\r\nxid01y\r\n");
  Issue(t, "find /i \"ALPHA\" wrd.txt > out.txt");
  EXPECT_EQ(t.Read("out.txt"), "\r\n---------- WRD.TXT\r\n\"id01\",\"Alpha\"\r\n");
  Issue(t, "findstr \"id01\" wrd.txt > out.txt");
  EXPECT_EQ(t.Read("out.txt"), "\"id01\",\"Alpha\"\r\nxid01y\r\n");
  Issue(t, "findstr /i \"id01\" wrd.txt > out.txt");
  EXPECT_EQ(t.Read("out.txt"), "\"id01\",\"Alpha\"\r\nxid01y\r\n\"ID01\"\r\n");
  Issue(t, "findstr \"none\" wrd.txt > out.txt");
  EXPECT_EQ(t.Read("out.txt"), "");
}

TEST_F(TextCommandsTest, FiltersNameAMissingFileAsWritten) {
  EXPECT_EQ(Issue(t, "find /c \"x\" wrd_11_2.txt > count.txt"),
            "File not found - wrd_11_2.txt\r\n");
  EXPECT_EQ(t.Read("count.txt"), "");
  EXPECT_EQ(Issue(t, "findstr \"x\" Missing.txt > out.txt"),
            "FINDSTR: Cannot open Missing.txt\r\n");
  EXPECT_EQ(Issue(t, "sort missing.txt /o out.txt"),
            "The system cannot find the file specified.\r\n");
}

TEST_F(TextCommandsTest, SortIgnoresCaseAndKeepsEqualKeysInInputOrder) {
  t.Write("in.txt", "b\r\nB\r\na_\r\nA\r\n\r\nab\nAB\r\na\r\n_\r\n");
  EXPECT_EQ(Issue(t, "sort in.txt /o out.txt"), "");
  EXPECT_EQ(t.Read("out.txt"), "\r\nA\r\na\r\nab\r\nAB\r\na_\r\nb\r\nB\r\n_\r\n");
  EXPECT_EQ(Issue(t, "sort in.txt"), t.Read("out.txt"));
  std::string sorted = t.Read("out.txt");
  t.Write("empty.txt", "");
  Issue(t, "sort empty.txt /o out.txt");
  EXPECT_EQ(t.Read("out.txt"), "");
  Issue(t, "sort in.txt /o in.txt");
  EXPECT_EQ(t.Read("in.txt"), sorted);
}

}  // namespace
}  // namespace quillon
