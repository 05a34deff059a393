#include "base/line_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/fake_disk.h"

namespace quillon {
namespace {

using Lines = std::vector<std::string>;

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Lines that collide under case folding, so that stability shows.
Lines RandomLines(std::mt19937& random, size_t count) {
  const std::string letters = "aAbB_ \r";
  Lines lines(count);
  for (std::string& line : lines) {
    size_t length = random() % 5;
    for (size_t i = 0; i < length; ++i) line += letters[random() % letters.size()];
    if (!line.empty() && line.back() == '\r') line.back() = 'x';
  }
  return lines;
}

int Folded(const std::string& a, const std::string& b) {
  return compare_lines(LineOrder::kFolded, a, b);
}

TEST(LineSortTest, FoldedOrderIgnoresAsciiCaseOnly) {
  EXPECT_EQ(Folded("abc", "ABC"), 0);
  EXPECT_LT(Folded("ab", "ABC"), 0);
  EXPECT_LT(Folded("Z", "_"), 0);
  EXPECT_LT(Folded("z", "_"), 0);
  EXPECT_GT(Folded("\xC3\xA9", "z"), 0);
}

TEST(LineSortTest, MultiPassMergesAreStableAndKeepEveryLine) {
  std::mt19937 random(7);
  for (size_t count : {0, 1, 2, 17, 600}) {
    for (size_t max_merge : {2, 3, 50}) {
      FakeDisk disk;
      Lines lines = RandomLines(random, count);
      disk.AddFile("in.txt", Joined(lines));
      SortOptions options;
      options.order = LineOrder::kFolded;
      options.run_bytes = 1 + random() % 300;
      options.max_merge = max_merge;
      options.scratch_prefix = "run_";
      ASSERT_TRUE(SortLines(disk, "in.txt", "out.txt", options));
      std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        return compare_lines(LineOrder::kFolded, a, b) < 0;
      });
      EXPECT_EQ(disk.Content("out.txt"), Joined(lines)) << count << " " << max_merge;
      EXPECT_EQ(disk.Files().size(), 2u);
    }
  }
}

// Line ends are sort_file's and the sort command's cases.
TEST(LineSortTest, FailuresAreReported) {
  FakeDisk disk;
  disk.AddFile("in.txt", "b\r\na\r\n");
  disk.AddFault({DiskOp::kRead, "in.txt", 1, 2});
  SortOptions options;
  options.order = LineOrder::kBytes;
  EXPECT_FALSE(SortLines(disk, "missing.txt", "out.txt", options));
  EXPECT_FALSE(SortLines(disk, "in.txt", "out.txt", options));
  disk.AddFault({DiskOp::kOpenWrite, "out.txt", 1, 0});
  EXPECT_FALSE(SortLines(disk, "in.txt", "out.txt", options));
}

}  // namespace
}  // namespace quillon
