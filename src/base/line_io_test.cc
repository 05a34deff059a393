#include "base/line_io.h"

#include <gtest/gtest.h>

#include "support/fake_disk.h"

namespace quillon {
namespace {

// Reading is the sort command's case, line ends included.
TEST(LineIoTest, WriterEndsLinesWithCrLfAndStopsAtTheFirstFailedWrite) {
  FakeDisk disk;
  LineWriter writer(disk.open_write("out.txt", false));
  writer.line("a");
  writer.raw("b", 1);
  writer.line("");
  std::string wide(100000, 'w');
  writer.line(wide);
  EXPECT_TRUE(writer.close());
  EXPECT_EQ(disk.Content("out.txt"), "a\r\nb\r\n" + wide + "\r\n");
  EXPECT_FALSE(LineWriter(nullptr).close());
  disk.AddFault({DiskOp::kWrite, "bad.txt", 1, 10});
  LineWriter failing(disk.open_write("bad.txt", false));
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    failing.line("line " + std::to_string(i));
    expected += "line " + std::to_string(i) + "\r\n";
  }
  EXPECT_FALSE(failing.close());
  std::string content = disk.Content("bad.txt");
  EXPECT_EQ(content, expected.substr(0, content.size()));
}

}  // namespace
}  // namespace quillon
