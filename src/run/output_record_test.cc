#include "run/output_record.h"

#include <gtest/gtest.h>

#include "support/fake_disk.h"

namespace quillon {
namespace {

std::string Foreign(FakeDisk& disk) {
  ForeignEntry foreign = first_foreign_entry(disk, "out");
  return foreign.name + (foreign.changed ? " changed" : "");
}

// The record vouches for the pages as they were written, for nothing else,
// and a record that is not one vouches for nothing.
TEST(OutputRecordTest, VouchesForThePagesAsWritten) {
  FakeDisk disk;
  disk.AddFile("out/a.htm", "first page");
  disk.AddFile("out/b.htm", "second page");
  DiskError error = DiskError::kNone;
  ASSERT_TRUE(write_output_record(disk, "out", &error));
  EXPECT_EQ(Foreign(disk), "");

  disk.AddFile("out/b.htm", "second Page");  // the same size
  EXPECT_EQ(Foreign(disk), "b.htm changed");
  disk.AddFile("out/b.htm", "second page");
  disk.AddDir("out/Z");
  EXPECT_EQ(Foreign(disk), "Z");
  disk.AddFile("out/Z/inside", "");
  EXPECT_EQ(Foreign(disk), "Z");

  FakeDisk pages;
  pages.AddFile("out/a.htm", "first page");
  ASSERT_TRUE(write_output_record(pages, "out", &error));
  pages.remove_file("out/a.htm");  // a page gone loses nothing
  EXPECT_EQ(Foreign(pages), "");
  pages.AddFile("out/a.htm", "first page");
  std::string record = pages.Content(std::string("out/") + work_files::kOutputRecord);
  pages.AddFile(std::string("out/") + work_files::kOutputRecord,
                record.substr(0, record.size() - 3));
  EXPECT_EQ(Foreign(pages), work_files::kOutputRecord);

  FakeDisk empty;
  empty.AddDir("out");
  EXPECT_EQ(Foreign(empty), "");
  empty.AddFile("out/index.htm", "mine");
  EXPECT_EQ(Foreign(empty), "index.htm");
}

}  // namespace
}  // namespace quillon
