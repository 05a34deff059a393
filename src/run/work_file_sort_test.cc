#include "run/work_file_sort.h"

#include <gtest/gtest.h>

#include "base/end_run.h"
#include "support/test_run.h"

namespace quillon {
namespace {

TEST(SortFileTest, EndsTheRunWithoutAnInputOrWhenItsFilesFail) {
  FakeRun t;
  EXPECT_THROW(sort_file(t.run, "", "out.txt"), RunEnded);
  EXPECT_EQ(t.transcript(), "");
  t.disk.AddFile("in.txt", "b\r\na\r\n");
  sort_file(t.run, "in.txt", "out.txt");
  EXPECT_EQ(t.disk.Content("out.txt"), "a\r\nb\r\n");
  // A sort that cannot write its output never passes for one that did.
  t.disk.AddFault({DiskOp::kWrite, "out.txt", 1, 0});
  EXPECT_THROW(sort_file(t.run, "in.txt", "out.txt"), RunEnded);
  EXPECT_EQ(t.transcript(), "sort error\r\n");
  // A missing input sorts into an empty output.
  sort_file(t.run, "missing.txt", "out.txt");
  EXPECT_EQ(t.disk.Content("out.txt"), "");
}

}  // namespace
}  // namespace quillon
