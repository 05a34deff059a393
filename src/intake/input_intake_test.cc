// Intake on the fake disk: clean names, files of other kinds, and above all
// that no failure or kill at any step loses a user's file.

#include "intake/input_intake.h"

#include <gtest/gtest.h>

#include <map>

#include "app/phase_table.h"
#include "base/end_run.h"
#include "support/test_run.h"

namespace quillon {
namespace {

using FileMap = std::map<std::string, std::string>;

const char kStopped[] = "The intake stopped here and deleted nothing more.\r\n";
// Choices 1 and 2, the default width, no destination.
const char kKeys[] = "1\n2\n\n\n";

FileMap FilesIn(const FakeDisk& disk, const std::string& folder) {
  FileMap files;
  for (const auto& file : disk.Files()) {
    if (file.first.compare(0, folder.size() + 1, folder + "/") == 0) {
      files[file.first.substr(folder.size() + 1)] = file.second;
    }
  }
  return files;
}

void Intake(Run& run) {
  try {
    take_in_input_folder(run);
  } catch (const RunEnded&) {
  }
}

// Every phase from the intake to the comparison page, as the driver runs them.
void WorkPhases(Run& run) {
  RunState state;
  try {
    run_phases(run, state, "intake", "comparison page");
  } catch (const RunEnded&) {
  }
}

// The names themselves are clean_name's; here, what is moved and copied.
TEST(InputIntakeTest, CleansNamesAndSendsOtherKindsOut) {
  FakeRun t;
  const FileMap given = {{"My File.txt", "blanks"}, {"notes.TXT", "upper"}, {"data.csv", "csv"}};
  for (const auto& file : given) t.disk.AddFile("compare_in/" + file.first, file.second);
  // A folder whose name merely contains "htm_wrk" counts as found; the real
  // work folders are still emptied.
  t.disk.AddFile("txt_wrk/old.txt", "x");
  t.disk.AddFile("htm_wrk/old.htm", "x");
  t.disk.AddDir("old_htm_wrk_copy");
  DirEntry before, after;
  t.disk.stat("compare_in/notes.TXT", &before);
  take_in_input_folder(t.run);
  EXPECT_EQ(FilesIn(t.disk, "compare_in"),
            (FileMap{{"My_File.txt", "blanks"}, {"notes.TXT", "upper"}}));
  // A clean name is left where it is, untouched.
  ASSERT_TRUE(t.disk.stat("compare_in/notes.TXT", &after));
  EXPECT_EQ(after.mtime, before.mtime);
  EXPECT_FALSE(t.disk.HasFile("txt_wrk/old.txt"));
  EXPECT_FALSE(t.disk.HasFile("htm_wrk/old.htm"));
}

// "a b.txt" and "a-b.txt" both clean to "a_b.txt": both copies ask.
TEST(InputIntakeTest, TwoNamesWithOneCleanNameAskAndYesReplacesTheFirst) {
  FakeRun t("y\ny\n");
  t.disk.AddFile("compare_in/a b.txt", "first");
  t.disk.AddFile("compare_in/a-b.txt", "second");
  Intake(t.run);
  EXPECT_EQ(FilesIn(t.disk, "compare_in"), (FileMap{{"a_b.txt", "second"}}));
  EXPECT_EQ(t.disk.Content("a b.txt"), "first");
}

TEST(InputIntakeTest, EndsWhenTxtWrkCannotBeMade) {
  FakeRun t;
  t.disk.AddFault({DiskOp::kMakeDir, "txt_wrk", 1, 0});
  Intake(t.run);
  EXPECT_NE(t.transcript().find("Subfolder txt_wrk must be created."), std::string::npos);
}

// A two-file run whose names need cleaning, and one file of another kind.
const FileMap kUserFiles = {{"My File.txt", "first line\r\nsecond line\r\n"},
                            {"notes-2.txt", "other text\r\n"},
                            {"data.csv", "1,2,3\r\n"}};
const FileMap kCleanNames = {
    {"My File.txt", "My_File.txt"}, {"notes-2.txt", "notes_2.txt"}, {"data.csv", "data.csv"}};

void AddUserFiles(FakeDisk& disk) {
  for (const auto& file : kUserFiles) disk.AddFile("compare_in/" + file.first, file.second);
}

// The names of the user files whose bytes are neither in compare_in nor in
// the program's folder, under the given or the clean name.
std::string LostFiles(const FakeDisk& disk) {
  FileMap all = disk.Files();
  std::string lost;
  for (const auto& file : kUserFiles) {
    const std::string& clean = kCleanNames.at(file.first);
    bool kept = false;
    for (const std::string& path :
         {"compare_in/" + file.first, "compare_in/" + clean, file.first, clean}) {
      kept = kept || (all.count(path) && all[path] == file.second);
    }
    if (!kept) lost += file.first + " ";
  }
  return lost;
}

// compare_in as a run without faults leaves it.
const FileMap kCleanInput = {{"My_File.txt", kUserFiles.at("My File.txt")},
                             {"notes_2.txt", kUserFiles.at("notes-2.txt")}};

void ExpectCleanEndState(const FakeDisk& disk) {
  EXPECT_EQ(FilesIn(disk, "compare_in"), kCleanInput);
  EXPECT_EQ(disk.Content("data.csv"), kUserFiles.at("data.csv"));
}

void SecondRun(FakeDisk& disk) {
  FakeConsole console(kKeys);
  Run second(&disk, &console, "quillon");
  WorkPhases(second);
}

struct FaultCase {
  const char* kind;
  Fault fault;
  const char* named;  // the file the stop message names
};

class IntakeFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(IntakeFaultTest, StopsNamingTheFileAndLosesNothing) {
  const FaultCase& fault_case = GetParam();
  FakeRun t(kKeys);
  AddUserFiles(t.disk);
  t.disk.AddFault(fault_case.fault);
  WorkPhases(t.run);
  EXPECT_EQ(LostFiles(t.disk), "");
  std::string transcript = t.transcript();
  EXPECT_NE(transcript.find(std::string("compare_in\\") + fault_case.named), std::string::npos)
      << transcript;
  EXPECT_NE(transcript.find(kStopped), std::string::npos);
  t.disk.ClearFaults();
  SecondRun(t.disk);
  EXPECT_EQ(LostFiles(t.disk), "");
  ExpectCleanEndState(t.disk);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, IntakeFaultTest,
    ::testing::Values(
        // The sink of the copy-out cannot be opened, so nothing is copied out.
        FaultCase{"RefusedRedirection", {DiskOp::kOpenWrite, "out_null.list", 1, 0}, "data.csv: "},
        // An input the run may not read at all is named as such.
        FaultCase{"RefusedOpen",
                  {DiskOp::kOpenRead, "compare_in/notes-2.txt", 0, 0},
                  "notes-2.txt: it cannot be read (permission denied)."},
        FaultCase{"ReadError", {DiskOp::kRead, "compare_in/My File.txt", 1, 4}, "My File.txt: "},
        FaultCase{"DiskFull", {DiskOp::kWrite, "intake_01.tmp", 1, 3}, "My File.txt: "},
        FaultCase{"RefusedTemporary", {DiskOp::kOpenWrite, "intake_01.tmp", 2, 0}, "notes-2.txt: "},
        FaultCase{"FailedClose", {DiskOp::kClose, "intake_01.tmp", 1, 0}, "My File.txt: "},
        FaultCase{"FailedRename", {DiskOp::kRename, "intake_01.tmp", 2, 0}, "notes-2.txt: "},
        FaultCase{
            "FailedDelete", {DiskOp::kRemove, "compare_in/My File.txt", 1, 0}, "My File.txt: "},
        FaultCase{"FailedMoveOut", {DiskOp::kRemove, "compare_in/data.csv", 1, 0}, "data.csv: "},
        // Copies are made aside: the three copied out, the first clean copy,
        // then this one.
        FaultCase{"ShortCleanCopy", {DiskOp::kWrite, "copy_01.tmp", 5, 2}, "notes-2.txt: "}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.kind; });

}  // namespace
}  // namespace quillon
