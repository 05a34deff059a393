#include "base/line_io.h"

#include <gtest/gtest.h>

#include "base/fake_disk.h"

namespace quillon {
namespace {

using Lines = std::vector<std::string>;

Lines ReadAll(FakeDisk& disk, const std::string& path, bool* failed = nullptr) {
  LineReader reader(disk.OpenRead(path));
  Lines lines;
  std::string line;
  while (reader.Next(&line)) lines.push_back(line);
  if (failed) *failed = reader.failed();
  return lines;
}

TEST(LineIoTest, ReaderSplitsLinesLikeReadLine) {
  FakeDisk disk;
  std::string wide(70000, 'w');
  disk.AddFile("a.txt", "a\r\n\r\nb\rc\nlast\r");
  disk.AddFile("b.txt", wide + "\r\n" + wide);
  disk.AddFile("c.txt", "");
  EXPECT_EQ(ReadAll(disk, "a.txt"), (Lines{"a", "", "b\rc", "last"}));
  EXPECT_EQ(ReadAll(disk, "b.txt"), (Lines{wide, wide}));
  EXPECT_EQ(ReadAll(disk, "c.txt"), (Lines{}));
  EXPECT_EQ(ReadAll(disk, "missing.txt"), (Lines{}));
}

TEST(LineIoTest, ReaderTellsAReadError) {
  FakeDisk disk;
  disk.AddFile("a.txt", "one\r\ntwo\r\n");
  disk.AddFault({DiskOp::kRead, "a.txt", 1, 5});
  bool failed = false;
  EXPECT_EQ(ReadAll(disk, "a.txt", &failed), (Lines{"one"}));
  EXPECT_TRUE(failed);
}

TEST(LineIoTest, WriterEndsLinesWithCrLfAndWritesOnClose) {
  FakeDisk disk;
  LineWriter writer(disk.OpenWrite("out.txt", false));
  writer.Line("a");
  writer.Raw("b", 1);
  writer.Line("");
  EXPECT_EQ(disk.Content("out.txt"), "");
  std::string wide(100000, 'w');
  writer.Line(wide);
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(disk.Content("out.txt"), "a\r\nb\r\n" + wide + "\r\n");
  EXPECT_FALSE(LineWriter(nullptr).Close());
}

TEST(LineIoTest, WriterStopsAtTheFirstFailedWrite) {
  FakeDisk disk;
  disk.AddFault({DiskOp::kWrite, "out.txt", 1, 10});
  LineWriter writer(disk.OpenWrite("out.txt", false));
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    writer.Line("line " + std::to_string(i));
    expected += "line " + std::to_string(i) + "\r\n";
  }
  EXPECT_FALSE(writer.Close());
  std::string content = disk.Content("out.txt");
  EXPECT_EQ(content, expected.substr(0, content.size()));
}

}  // namespace
}  // namespace quillon
