#include "run/work_files.h"

#include <gtest/gtest.h>

#include "base/wildcard.h"

namespace quillon {
namespace {

using namespace work_files;

// A command line lists or deletes a family by its pattern and the run tells
// its own names by `holds`: a member that another family also held would be
// taken for the wrong page, and one its pattern missed would be left behind.
TEST(WorkFilesTest, EveryFamilyHoldsItsOwnNamesAndNoOther) {
  for (const Family* family : kFamilies) {
    for (const char* number : {"1", "2", "01", "007", "12345"}) {
      std::string name = family->name(number);
      EXPECT_TRUE(family->holds(name)) << name;
      EXPECT_TRUE(matches_pattern(family->pattern(), name)) << name;
      EXPECT_TRUE(is_work_file_name(name)) << name;
      for (const Family* other : kFamilies) {
        if (other == family) continue;
        EXPECT_FALSE(other->holds(name)) << name << " in " << other->prefix;
      }
    }
    EXPECT_FALSE(family->holds(family->name(""))) << family->prefix;
    EXPECT_FALSE(family->holds(family->name("1a"))) << family->prefix;
  }
}

// The golden run shows the names of a run of few pages; the zeros of many
// pages keep listings in page order.
TEST(WorkFilesTest, NumberedNamesKeepTheirOrderInListings) {
  EXPECT_EQ(page_name("000", 7), "page_007.htm");
  EXPECT_EQ(page_number_pad_for(9), "00");
  EXPECT_EQ(page_number_pad_for(11), "000");
  EXPECT_EQ(kFirstNumberedPage, page_name(page_number_pad_for(1), 1));
}

TEST(WorkFilesTest, AUsersNameIsNotAWorkName) {
  for (const char* name : {"notes.txt", "page_.htm", "page_1.html", "i_x.htm", "Compare.htm",
                           "wrd_24_3.txt.bak", "index_.htm"}) {
    EXPECT_FALSE(is_work_file_name(name)) << name;
  }
  EXPECT_TRUE(is_work_folder_name(kOccurrenceCopies));
  EXPECT_FALSE(is_work_folder_name("htm_outs"));
}

}  // namespace
}  // namespace quillon
