#include "base/line_io.h"

#include <gtest/gtest.h>

#include "base/fake_disk.h"

namespace quillon {
namespace {

// Reading is sort_file's and the sort command's case, line ends included.
TEST(LineIoTest, WriterEndsLinesWithCrLfAndStopsAtTheFirstFailedWrite) {
  FakeDisk disk;
  LineWriter writer(disk.OpenWrite("out.txt", false));
  writer.Line("a");
  writer.Raw("b", 1);
  writer.Line("");
  std::string wide(100000, 'w');
  writer.Line(wide);
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(disk.Content("out.txt"), "a\r\nb\r\n" + wide + "\r\n");
  EXPECT_FALSE(LineWriter(nullptr).Close());
  disk.AddFault({DiskOp::kWrite, "bad.txt", 1, 10});
  LineWriter failing(disk.OpenWrite("bad.txt", false));
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    failing.Line("line " + std::to_string(i));
    expected += "line " + std::to_string(i) + "\r\n";
  }
  EXPECT_FALSE(failing.Close());
  std::string content = disk.Content("bad.txt");
  EXPECT_EQ(content, expected.substr(0, content.size()));
}

}  // namespace
}  // namespace quillon
