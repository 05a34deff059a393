#include "base/external_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/fake_disk.h"

namespace quillon {
namespace {

using Lines = std::vector<std::string>;

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

bool FoldedBefore(const std::string& a, const std::string& b) {
  return compare_lines(LineOrder::kFolded, a, b) < 0;
}

// Lines collide under case folding, so that stability shows.
TEST(LineSortTest, MultiPassMergesAreStableAndKeepEveryLine) {
  std::mt19937 random(7);
  const std::string letters = "aAbB_ \r";
  for (size_t count : {0, 1, 2, 17, 600}) {
    for (size_t max_merge : {2, 3, 50}) {
      Lines lines(count);
      for (std::string& line : lines) {
        for (size_t i = random() % 5; i > 0; --i) line += letters[random() % letters.size()];
        if (!line.empty() && line.back() == '\r') line.back() = 'x';
      }
      FakeDisk disk;
      disk.AddFile("in.txt", Joined(lines));
      SortOptions options;
      options.order = LineOrder::kFolded;
      options.run_bytes = 1 + random() % 300;
      options.max_merge = max_merge;
      options.scratch_prefix = "run_";
      ASSERT_TRUE(sort_lines(disk, "in.txt", "out.txt", options));
      std::stable_sort(lines.begin(), lines.end(), FoldedBefore);
      EXPECT_EQ(disk.Content("out.txt"), Joined(lines)) << count << " " << max_merge;
      EXPECT_EQ(disk.Files().size(), 2u);
    }
  }
}

TEST(LineSortTest, FailuresAreReported) {
  FakeDisk disk;
  disk.AddFile("in.txt", "b\r\na\r\n");
  disk.AddFault({DiskOp::kRead, "in.txt", 1, 2});
  SortOptions options;
  options.order = LineOrder::kBytes;
  EXPECT_FALSE(sort_lines(disk, "missing.txt", "out.txt", options));
  EXPECT_FALSE(sort_lines(disk, "in.txt", "out.txt", options));
  disk.AddFault({DiskOp::kOpenWrite, "out.txt", 1, 0});
  EXPECT_FALSE(sort_lines(disk, "in.txt", "out.txt", options));
}

}  // namespace
}  // namespace quillon
