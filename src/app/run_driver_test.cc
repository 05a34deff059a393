// Whole runs on the fake disk: whatever fails or however full the disk gets,
// and wherever the run is killed, no input is lost, nothing hangs, and a run
// either delivers the same pages as without the fault or says it failed.

#include "app/run_driver.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstring>
#include <map>

#include "app/phase_table.h"
#include "app/space_check.h"
#include "base/end_run.h"
#include "run/work_files.h"
#include "support/test_run.h"

namespace quillon {
namespace {

const FileMap kInputs = {{"My File.txt", "first line of words\r\nsecond line here\r\n"},
                         {"notes-2.txt", "other text with words\r\n"},
                         {"data.csv", "1,2,3\r\n"}};
const char kKeys[] = "1111\n2\n\n\nx";
// The sweeps below take every step, or every tenth under the sanitizers.
#ifdef __SANITIZE_ADDRESS__
const int kStride = 10;
#else
const int kStride = 1;
#endif

void AddInputs(FakeDisk& disk) {
  for (const auto& input : kInputs) disk.AddFile("compare_in/" + input.first, input.second);
}

FileMap Below(const FakeDisk& disk, const std::string& folder) {
  FileMap files = disk.Files(folder);
  for (auto& file : files) file.second = WithoutClock(file.second);
  return files;
}

// The inputs whose bytes are nowhere on the disk any more.
std::string Lost(const FakeDisk& disk) {
  std::string lost;
  for (const auto& input : kInputs) {
    bool kept = false;
    for (const auto& file : disk.Files()) kept = kept || file.second == input.second;
    if (!kept) lost += input.first + " ";
  }
  return lost;
}

std::string LeftWorkFiles(const FakeDisk& disk) {
  std::string left;
  for (const auto& file : disk.Files()) {
    if (work_files::is_work_file_name(file.first)) left += file.first + " ";
  }
  return left;
}

struct Ending {
  int status;
  std::string transcript;
};

Ending Drive(FakeRun& t) {
  int status = drive_run(t.run);
  return {status, t.transcript()};
}

// What a run without faults delivers.
const FileMap& CleanPages() {
  static const FileMap pages = [] {
    FakeRun t(kKeys);
    AddInputs(t.disk);
    EXPECT_EQ(Drive(t).status, kExitDone);
    return Below(t.disk, "htm_out");
  }();
  return pages;
}

bool Reached(const Ending& ending) {
  return ending.transcript.find("============ RESULTS ===========") != std::string::npos;
}

// A full disk in the middle of each phase that writes: the run says what it
// could not write, removes its work files and keeps every input.
// At a terminal each console line is on the screen before the work after it
// starts: the device has the line when the first file of that work is written.
TEST(RunDriverTest, EveryLineReachesATerminalBeforeTheWorkAfterIt) {
  FakeRun fake(kKeys);
  AddInputs(fake.disk);
  fake.console.set_output(Output::kPlainTerminal);
  std::map<std::string, size_t> shown_at_first_touch;
  fake.disk.on_step = [&](DiskOp op, const std::string& path) {
    if (op == DiskOp::kOpenWrite)
      shown_at_first_touch.emplace(path, fake.console.transcript().size());
  };
  EXPECT_EQ(drive_run(fake.run), kExitDone);
  const std::string& transcript = fake.console.transcript();
  const std::pair<const char*, const char*> line_then_work[] = {
      {"size table, a number without the % sign, <enter> = 100 :? \r\n", "txt_wrk.list"},
      {"processed 1%\r\n", "dir_02.txt"},
      {"processed 50%\r\n", "i_1.htm"},
  };
  for (const auto& pair : line_then_work) {
    size_t line_end = transcript.find(pair.first);
    ASSERT_NE(line_end, std::string::npos) << pair.first;
    line_end += std::strlen(pair.first);
    auto touch = shown_at_first_touch.find(pair.second);
    ASSERT_NE(touch, shown_at_first_touch.end()) << pair.second;
    EXPECT_GE(touch->second, line_end) << pair.first;
  }
}

TEST(RunDriverTest, AFullDiskInAnyPhaseFailsTheRunCleanly) {
  std::vector<std::pair<std::string, std::pair<long, long>>> phases;
  {
    FakeRun t(kKeys);
    AddInputs(t.disk);
    RunState state;
    for (const Phase& phase : phase_table()) {
      long before = t.disk.written();
      RunPhases(t.run, state, phase.name, phase.name);
      if (t.disk.written() > before) phases.push_back({phase.name, {before, t.disk.written()}});
    }
  }
  ASSERT_GT(phases.size(), 10u);
  for (const auto& phase : phases) {
    SCOPED_TRACE(phase.first);
    FakeRun t(kKeys);
    AddInputs(t.disk);
    t.disk.SetByteBudget((phase.second.first + phase.second.second) / 2);
    Ending ending = Drive(t);
    EXPECT_EQ(ending.status, kExitFailed);
    EXPECT_FALSE(Reached(ending));
    EXPECT_NE(ending.transcript.find(": the disk is full\r\n"), std::string::npos)
        << ending.transcript;
    EXPECT_EQ(Lost(t.disk), "");
    EXPECT_EQ(LeftWorkFiles(t.disk), "");
  }
}

// Where the disk takes a name in any letter case for one name, two inputs
// that differ only in case would end up as one file: refused, both kept.
TEST(RunDriverTest, CaseTwinsAreRefusedWhereTheDiskIgnoresCase) {
  FakeRun t(kKeys);
  t.disk.IgnoreCase();
  t.disk.AddFile("compare_in/Notes.txt", "capital\r\n");
  t.disk.AddFile("compare_in/notes.txt", "small\r\n");
  Ending ending = Drive(t);
  EXPECT_EQ(ending.status, kExitRefused);
  EXPECT_NE(ending.transcript.find("would all be named Notes.txt:\r\ncompare_in\\Notes.txt\r\n"
                                   "compare_in\\notes.txt\r\n"),
            std::string::npos)
      << ending.transcript;
  EXPECT_EQ(t.disk.Files(), (FileMap{{"compare_in/Notes.txt", "capital\r\n"},
                                     {"compare_in/notes.txt", "small\r\n"}}));
}

TEST(RunDriverTest, TooLittleRoomForIndexingEndsBeforeIt) {
  FakeRun t(kKeys);
  AddInputs(t.disk);
  t.disk.SetFreeBytes(1 << 19);
  Ending ending = Drive(t);
  EXPECT_EQ(ending.status, kExitFailed);
  const uint64_t mb = 1 << 20;
  uint64_t needed = space_needed(CleanPages().at("compare.htm").size());
  EXPECT_NE(ending.transcript.find("There is not enough free space on the disk for indexing.\r\n"
                                   "needed: about " +
                                   std::to_string((needed + mb - 1) / mb) + " MB, free: 0 MB\r\n"),
            std::string::npos)
      << ending.transcript;
  EXPECT_EQ(ending.transcript.find("============ INDEXING"), std::string::npos);
  EXPECT_EQ(LeftWorkFiles(t.disk), "");
  EXPECT_EQ(Below(t.disk, "compare_in").size(), 2u);
}

// What an interrupted run left and this run deletes before it indexes is
// room the check counts.
TEST(RunDriverTest, TheSpaceCheckCountsWhatTheRunIsAboutToDelete) {
  FakeRun t(kKeys);
  AddInputs(t.disk);
  t.disk.AddFile(".quillon-files", "page_07_01.htm\n");
  t.disk.AddFile("page_07_01.htm", std::string(2 << 20, 'x'));
  t.disk.SetFreeBytes(space_needed(CleanPages().at("compare.htm").size()) - (1 << 20));
  Ending ending = Drive(t);
  EXPECT_EQ(ending.status, kExitDone) << ending.transcript;
  EXPECT_FALSE(t.disk.HasFile("page_07_01.htm"));
}

#ifndef _WIN32
// Every operation of each kind fails once, in a run of its own; a child
// process runs it, so that a run that hangs is seen and stopped.
TEST(RunDriverTest, NoSingleFailedOperationHangsLosesAnInputOrPassesForSuccess) {
  const DiskOp kinds[] = {DiskOp::kOpenRead, DiskOp::kOpenWrite, DiskOp::kRead,  DiskOp::kWrite,
                          DiskOp::kClose,    DiskOp::kRename,    DiskOp::kRemove};
  std::map<DiskOp, long> counts;
  {
    FakeRun t(kKeys);
    AddInputs(t.disk);
    Drive(t);
    for (DiskOp op : kinds) counts[op] = t.disk.count(op);
  }
  const FileMap& clean = CleanPages();
  for (DiskOp op : kinds) {
    for (int k = 1; k <= counts[op]; k += kStride) {
      pid_t child = fork();
      if (child == 0) {
        FakeRun t(kKeys);
        AddInputs(t.disk);
        t.disk.AddFault({op, "", k, 0});
        Ending ending = Drive(t);
        if (!Lost(t.disk).empty()) _exit(10);
        if (ending.status == kExitDone && Reached(ending) && Below(t.disk, "htm_out") != clean) {
          _exit(11);
        }
        if (ending.status == kExitFailed && !LeftWorkFiles(t.disk).empty()) _exit(12);
        _exit(ending.status == kExitRefused ? 13 : 0);
      }
      int status = 0;
      for (int waited = 0; waited < 1000 && waitpid(child, &status, WNOHANG) == 0; ++waited) {
        usleep(10000);
      }
      if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        ADD_FAILURE() << "hang: operation " << static_cast<int>(op) << " #" << k;
        continue;
      }
      // 10: an input lost, 11: other pages shown as a success, 12: work
      // files left after a failure, 13: refused.
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
          << "operation " << static_cast<int>(op) << " #" << k << ": status " << status;
    }
  }
}
#endif

// Killed at every step of a whole run, then started again: the second run
// is not refused and delivers the pages.
TEST(RunDriverTest, TheRunAfterAKillAtAnyStepCompletes) {
  long steps = 0;
  {
    FakeRun t(kKeys);
    AddInputs(t.disk);
    Drive(t);
    steps = t.disk.steps();
  }
  ASSERT_GT(steps, 100);
  for (long step = 1; step <= steps; step += kStride) {
    FakeRun t(kKeys);
    AddInputs(t.disk);
    t.disk.KillAt(step);
    try {
      Drive(t);
    } catch (const DiskKilled&) {
    }
    t.disk.KillAt(0);
    ASSERT_EQ(Lost(t.disk), "") << "killed at step " << step;
    FakeConsole console(kKeys);
    quillon::Run second(&t.disk, &console, "quillon");
    ASSERT_EQ(drive_run(second), kExitDone) << "killed at step " << step;
    second.console.flush();
    ASSERT_TRUE(Reached({0, console.transcript()})) << "killed at step " << step;
    ASSERT_EQ(Below(t.disk, "htm_out"), CleanPages()) << "killed at step " << step;
    ASSERT_EQ(Below(t.disk, "compare_in"), (FileMap{{"My_File.txt", kInputs.at("My File.txt")},
                                                    {"notes_2.txt", kInputs.at("notes-2.txt")}}))
        << "killed at step " << step;
  }
}

}  // namespace
}  // namespace quillon
