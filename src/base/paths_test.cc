#include "base/paths.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_disk.h"

namespace quillon {
namespace {

using Names = std::vector<std::string>;

TEST(PathsTest, ListingOrderFoldsCaseThenBreaksTiesBytewise) {
  Names names = {"b", "a_b", "aB", "B", "A", "a", "Ab", "a.txt", "a1"};
  std::sort(names.begin(), names.end(), listing_before);
  EXPECT_EQ(names, (Names{"A", "a", "a.txt", "a1", "Ab", "aB", "a_b", "B", "b"}));
}

class PathsDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disk.AddFile("txt_in/a.txt", "");
    disk.AddFile("fOO", "second");
    disk.AddFile("Foo", "first");
    disk.AddDir("Work/Sub");
  }
  FakeDisk disk;
  std::string resolved, folder, last;
  DirEntry entry;
};

TEST_F(PathsDiskTest, FindsExactlyFirstThenTheFirstCaseFoldedMatch) {
  ASSERT_TRUE(find_entry(disk, "", "fOO", &entry));
  EXPECT_EQ(entry.name, "fOO");
  ASSERT_TRUE(find_entry(disk, "", "FOO", &entry));
  EXPECT_EQ(entry.name, "Foo");
  EXPECT_FALSE(find_entry(disk, "", "..", &entry));
}

TEST_F(PathsDiskTest, ResolvesFolderPartsAndKeepsTheSpellingOfNewNames) {
  ASSERT_TRUE(resolve_path(disk, "TXT_IN\\A.TXT", &resolved));
  EXPECT_EQ(resolved, "txt_in/a.txt");
  ASSERT_TRUE(resolve_path(disk, "work/SUB\\New.Txt", &resolved));
  EXPECT_EQ(resolved, "Work/Sub/New.Txt");
  ASSERT_TRUE(resolve_parent(disk, "work\\sub\\", &folder, &last));
  EXPECT_EQ(folder, "Work/Sub");
  EXPECT_EQ(last, "");
  EXPECT_FALSE(resolve_path(disk, "missing\\a.txt", &resolved));
  EXPECT_FALSE(resolve_path(disk, "txt_in\\a.txt\\b", &resolved));
  EXPECT_FALSE(resolve_path(disk, "..\\a.txt", &resolved));
  EXPECT_FALSE(resolve_path(disk, "txt_in\\..", &resolved));
}

// The platform cuts a name at a NUL byte: "..\0" would name the parent folder.
TEST_F(PathsDiskTest, NamesWithANulByteNameNothing) {
  const std::string up("..\0", 3);
  EXPECT_TRUE(is_entry_name("a.txt"));
  EXPECT_FALSE(is_entry_name(up));
  EXPECT_FALSE(find_entry(disk, "", up, &entry));
  EXPECT_FALSE(resolve_path(disk, up + "\\a.txt", &resolved));
  EXPECT_FALSE(resolve_path(disk, "txt_in\\" + up, &resolved));
  EXPECT_FALSE(resolve_path(disk, std::string("txt_in\\a.txt\0x", 14), &resolved));
  EXPECT_FALSE(resolve_parent(disk, up + "\\", &folder, &last));
}

}  // namespace
}  // namespace quillon
