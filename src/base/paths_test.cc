#include "base/paths.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/fake_disk.h"

namespace quillon {
namespace {

using Names = std::vector<std::string>;

TEST(PathsTest, ListingOrderFoldsCaseThenBreaksTiesBytewise) {
  Names names = {"b", "a_b", "aB", "B", "A", "a", "Ab", "a.txt", "a1"};
  std::sort(names.begin(), names.end(), ListingBefore);
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
  ASSERT_TRUE(FindEntry(disk, "", "fOO", &entry));
  EXPECT_EQ(entry.name, "fOO");
  ASSERT_TRUE(FindEntry(disk, "", "FOO", &entry));
  EXPECT_EQ(entry.name, "Foo");
  EXPECT_FALSE(FindEntry(disk, "", "..", &entry));
}

TEST_F(PathsDiskTest, ResolvesFolderPartsAndKeepsTheSpellingOfNewNames) {
  ASSERT_TRUE(ResolvePath(disk, "TXT_IN\\A.TXT", &resolved));
  EXPECT_EQ(resolved, "txt_in/a.txt");
  ASSERT_TRUE(ResolvePath(disk, "work/SUB\\New.Txt", &resolved));
  EXPECT_EQ(resolved, "Work/Sub/New.Txt");
  ASSERT_TRUE(ResolveParent(disk, "work\\sub\\", &folder, &last));
  EXPECT_EQ(folder, "Work/Sub");
  EXPECT_EQ(last, "");
  EXPECT_FALSE(ResolvePath(disk, "missing\\a.txt", &resolved));
  EXPECT_FALSE(ResolvePath(disk, "txt_in\\a.txt\\b", &resolved));
  EXPECT_FALSE(ResolvePath(disk, "..\\a.txt", &resolved));
  EXPECT_FALSE(ResolvePath(disk, "txt_in\\..", &resolved));
}

// The platform cuts a name at a NUL byte: "..\0" would name the parent folder.
TEST_F(PathsDiskTest, NamesWithANulByteNameNothing) {
  const std::string up("..\0", 3);
  EXPECT_TRUE(IsEntryName("a.txt"));
  EXPECT_FALSE(IsEntryName(up));
  EXPECT_FALSE(FindEntry(disk, "", up, &entry));
  EXPECT_FALSE(ResolvePath(disk, up + "\\a.txt", &resolved));
  EXPECT_FALSE(ResolvePath(disk, "txt_in\\" + up, &resolved));
  EXPECT_FALSE(ResolvePath(disk, std::string("txt_in\\a.txt\0x", 14), &resolved));
  EXPECT_FALSE(ResolveParent(disk, up + "\\", &folder, &last));
}

}  // namespace
}  // namespace quillon
