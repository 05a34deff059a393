// The duplicate check and the clean-named working copies, on the fake disk
// as the selection leaves it; key 1 and key 2 at a duplicate are the
// end-to-end comparison test's.

#include "compare/working_copies.h"

#include <gtest/gtest.h>

#include "app/phase_table.h"
#include "run/work_files.h"
#include "support/test_run.h"

namespace quillon {
namespace {

std::string Duplicate(const std::string& first, const std::string& second) {
  return "\r\n----- duplicate files -----\r\n" + first + "\r\n" + second +
         "\r\n\r\n<1> continue\r\n<2> end\r\n";
}

// Ten pages still take two digits, eleven take three.
TEST(PageNumberPadTest, OneZeroMoreForEveryPowerOfTenPastTen) {
  const std::pair<int, const char*> cases[] = {{0, ""}, {10, "00"}, {11, "000"}, {101, "0000"}};
  for (const auto& c : cases) EXPECT_EQ(work_files::page_number_pad_for(c.first), c.second);
}

// An empty first file repeats in every file, a leading part in the longer
// file, and a longer first file is no duplicate of a shorter one: each of
// its lines past the end counts as a difference, also where it equals the
// last line read. The check's copies then serve as the working copies while
// they stand; one that changed in between is made afresh with the others.
TEST(WorkingCopiesTest, EveryPairOnceAndCopiesNotWrittenTwice) {
  for (bool changed : {false, true}) {
    FakeRun t("111111");
    for (const char* folder : {"txt_wrk", "htm_wrk", "txt_in"}) t.disk.AddDir(folder);
    const std::string x = "x\r\n" + std::string(5000, 'a');
    t.disk.AddFile("txt_in/0.txt", "");
    t.disk.AddFile("txt_in/a.txt", x);
    t.disk.AddFile("txt_in/b.txt", x + "\r\n" + std::string(5000, 'a'));
    t.disk.AddFile("txt_in/c.txt", "z\r\n");
    t.disk.AddFile("txt_in/d.txt", x);
    RunState state;
    ASSERT_TRUE(RunPhases(t.run, state, "duplicate check", "duplicate check"));
    EXPECT_EQ(t.transcript(), Duplicate("0.txt", "a.txt") + Duplicate("0.txt", "b.txt") +
                                  Duplicate("0.txt", "c.txt") + Duplicate("0.txt", "d.txt") +
                                  Duplicate("a.txt", "b.txt") + Duplicate("a.txt", "d.txt"));
    if (changed) t.disk.AddFile("txt_wrk/c.txt", "changed\r\n");
    long before = t.disk.written();
    ASSERT_TRUE(RunPhases(t.run, state, "working copies", "working copies"));
    EXPECT_EQ(t.disk.Files("txt_wrk"), t.disk.Files("txt_in")) << changed;
    EXPECT_EQ(t.disk.written() - before > 10000, changed);
  }
}

}  // namespace
}  // namespace quillon
