#include "app/clean.h"

#include <gtest/gtest.h>

#include "app/phase_table.h"
#include "app/run_driver.h"
#include "support/test_run.h"

namespace quillon {
namespace {

const char kKeys[] = "1111\n2\n\n\nx";

void AddInputs(FakeDisk& disk) {
  disk.AddFile("compare_in/a b.txt", "first text with words\r\n");
  disk.AddFile("compare_in/b.txt", "second text with words\r\n");
  disk.AddFile("compare_in/data.csv", "1,2\r\n");
}

// A run killed anywhere, its indexing included, leaves nothing after a
// clean but the inputs (data.csv in compare_in or, moved out, beside it),
// htm_out and the record.
TEST(CleanTest, AfterAKilledRunOnlyTheUsersFilesAndHtmOutStay) {
  long steps = 0;
  {
    FakeRun t(kKeys);
    AddInputs(t.disk);
    ASSERT_EQ(drive_run(t.run), kExitDone);
    steps = t.disk.steps();
  }
  for (long step = 1; step < steps; step += 5) {
    SCOPED_TRACE("killed at step " + std::to_string(step));
    FakeRun t(kKeys);
    AddInputs(t.disk);
    t.disk.KillAt(step);
    try {
      drive_run(t.run);
    } catch (const DiskKilled&) {
    }
    t.disk.KillAt(0);
    FakeConsole console("");
    quillon::Run clean(&t.disk, &console, "quillon");
    ASSERT_EQ(clean_folder(clean.own, clean.console, false), kExitDone);
    for (const auto& file : t.disk.Files()) {
      bool kept = file.first.rfind("compare_in/", 0) == 0 || file.first.rfind("htm_out/", 0) == 0 ||
                  file.first == "data.csv" || file.first == ".quillon-files";
      EXPECT_TRUE(kept) << file.first;
    }
    // Killed between the two, data.csv is in both places.
    EXPECT_TRUE(t.disk.HasFile("compare_in/data.csv") || t.disk.HasFile("data.csv"));
    EXPECT_GE(t.disk.Files("compare_in").size(), 2u);
    for (const char* folder : {"txt_in", "txt_wrk", "htm_in", "htm_wrk", "wrd_24"}) {
      DirEntry entry;
      EXPECT_FALSE(t.disk.stat(folder, &entry)) << folder;
    }
  }
}

// Run by mistake in a folder that quillon never used, it changes nothing
// and adds no record.
TEST(CleanTest, AFolderQuillonNeverUsedStaysAsItWas) {
  FakeRun t("");
  t.disk.AddFile("notes.txt", "mine\r\n");
  ASSERT_EQ(clean_folder(t.run.own, t.run.console, true), kExitDone);
  EXPECT_EQ(t.disk.Files(), (std::map<std::string, std::string>{{"notes.txt", "mine\r\n"}}));
}

}  // namespace
}  // namespace quillon
