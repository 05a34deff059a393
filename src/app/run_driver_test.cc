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

// A run of the dialogue on the fake disk with the inputs in compare_in.
struct InputRun : FakeRun {
  InputRun() : FakeRun(kKeys) {
    for (const auto& input : kInputs) disk.AddFile("compare_in/" + input.first, input.second);
  }
  int Drive() { return drive_run(run); }
};

FileMap Below(const FakeDisk& disk, const std::string& folder) {
  FileMap files = disk.Files(folder);
  for (auto& file : files) file.second = WithoutClock(file.second);
  return files;
}

// The inputs whose bytes are nowhere on the disk any more, and the work
// files left: both must stay empty whatever happens.
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

// What a run without faults delivers.
const FileMap& CleanPages() {
  static const FileMap pages = [] {
    InputRun t;
    EXPECT_EQ(t.Drive(), kExitDone);
    return Below(t.disk, "htm_out");
  }();
  return pages;
}

bool Reached(const std::string& transcript) {
  return transcript.find("============ RESULTS ===========") != std::string::npos;
}

// At a terminal each console line is out before the work after it starts:
// the device has the line when the first file of that work is opened.
TEST(RunDriverTest, EveryLineReachesATerminalBeforeTheWorkAfterIt) {
  InputRun t;
  t.console.set_output(Output::kPlainTerminal);
  std::map<std::string, size_t> shown_at_first_touch;
  t.disk.on_step = [&](DiskOp op, const std::string& path) {
    if (op == DiskOp::kOpenWrite) shown_at_first_touch.emplace(path, t.console.transcript().size());
  };
  EXPECT_EQ(t.Drive(), kExitDone);
  const std::string line_then_work[][2] = {
      {"size table, a number without the % sign, <enter> = 100 :? \r\n", "txt_wrk.list"},
      {"processed 1%\r\n", "dir_02.txt"},
      {"processed 50%\r\n", "i_1.htm"},
  };
  for (const auto& pair : line_then_work) {
    size_t line = t.console.transcript().find(pair[0]);
    ASSERT_NE(line, std::string::npos) << pair[0];
    EXPECT_GE(shown_at_first_touch.at(pair[1]), line + pair[0].size()) << pair[0];
  }
}

// A full disk in the middle of each phase that writes: the run says what it
// could not write, removes its work files and keeps every input.
TEST(RunDriverTest, AFullDiskInAnyPhaseFailsTheRunCleanly) {
  std::vector<std::pair<std::string, long>> phases;  // the name, a byte budget within it
  {
    InputRun t;
    RunState state;
    for (const Phase& phase : phase_table()) {
      long before = t.disk.written();
      RunPhases(t.run, state, phase.name, phase.name);
      if (t.disk.written() > before)
        phases.push_back({phase.name, (before + t.disk.written()) / 2});
    }
  }
  ASSERT_GT(phases.size(), 10u);
  for (const auto& phase : phases) {
    SCOPED_TRACE(phase.first);
    InputRun t;
    t.disk.SetByteBudget(phase.second);
    EXPECT_EQ(t.Drive(), kExitFailed);
    std::string transcript = t.transcript();
    EXPECT_FALSE(Reached(transcript));
    EXPECT_NE(transcript.find(": the disk is full\r\n"), std::string::npos) << transcript;
    EXPECT_EQ(Lost(t.disk) + LeftWorkFiles(t.disk), "");
  }
}

// Where the disk takes a name in any letter case for one name, two inputs
// that differ only in case would end up as one file: refused, both kept (the
// message is the end-to-end tests', for names that clean to one).
TEST(RunDriverTest, CaseTwinsAreRefusedWhereTheDiskIgnoresCase) {
  FakeRun t(kKeys);
  t.disk.IgnoreCase();
  const FileMap inputs = {{"compare_in/Notes.txt", "capital\r\n"},
                          {"compare_in/notes.txt", "small\r\n"}};
  for (const auto& input : inputs) t.disk.AddFile(input.first, input.second);
  EXPECT_EQ(drive_run(t.run), kExitRefused);
  EXPECT_EQ(t.disk.Files(), inputs);
}

// Too little room ends the run before indexing, with what it needs; what an
// interrupted run left and this run deletes before it indexes is room.
TEST(RunDriverTest, TheSpaceCheckEndsBeforeIndexingAndCountsWhatGoesFirst) {
  uint64_t needed = space_needed(CleanPages().at("compare.htm").size());
  InputRun t;
  t.disk.SetFreeBytes(1 << 19);
  EXPECT_EQ(t.Drive(), kExitFailed);
  const uint64_t mb = 1 << 20;
  EXPECT_NE(t.transcript().find("There is not enough free space on the disk for indexing.\r\n"
                                "needed: about " +
                                std::to_string((needed + mb - 1) / mb) + " MB, free: 0 MB\r\n"),
            std::string::npos)
      << t.transcript();
  EXPECT_EQ(t.transcript().find("============ INDEXING"), std::string::npos);
  EXPECT_EQ(LeftWorkFiles(t.disk), "");

  InputRun left;
  left.disk.AddFile(".quillon-files", "page_07_01.htm\n");
  left.disk.AddFile("page_07_01.htm", std::string(2 << 20, 'x'));
  left.disk.SetFreeBytes(needed - mb);
  EXPECT_EQ(left.Drive(), kExitDone) << left.transcript();
  EXPECT_FALSE(left.disk.HasFile("page_07_01.htm"));
}

#ifndef _WIN32
// Every operation of each kind fails once, in a run of its own; a child
// process runs it, so that a run that hangs is seen and stopped. Exit codes:
// 10 an input lost, 11 other pages shown as a success, 12 work files left
// after a failure, 13 refused.
TEST(RunDriverTest, NoSingleFailedOperationHangsLosesAnInputOrPassesForSuccess) {
  const DiskOp kinds[] = {DiskOp::kOpenRead, DiskOp::kOpenWrite, DiskOp::kRead,  DiskOp::kWrite,
                          DiskOp::kClose,    DiskOp::kRename,    DiskOp::kRemove};
  InputRun counted;
  counted.Drive();
  const FileMap& clean = CleanPages();  // made here, not in every child
  for (DiskOp op : kinds) {
    for (int k = 1; k <= counted.disk.count(op); k += kStride) {
      pid_t child = fork();
      if (child == 0) {
        InputRun t;
        t.disk.AddFault({op, "", k, 0});
        int status = t.Drive();
        if (!Lost(t.disk).empty()) _exit(10);
        if (status == kExitDone && Reached(t.transcript()) && Below(t.disk, "htm_out") != clean) {
          _exit(11);
        }
        if (status == kExitFailed && !LeftWorkFiles(t.disk).empty()) _exit(12);
        _exit(status == kExitRefused ? 13 : 0);
      }
      int status = 0;
      for (int waited = 0; waited < 1000 && waitpid(child, &status, WNOHANG) == 0; ++waited) {
        usleep(10000);
      }
      if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
      }
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
          << "operation " << static_cast<int>(op) << " #" << k << ": status " << status;
    }
  }
}
#endif

// Killed at every step of a whole run, then started again: the second run
// is not refused and delivers the pages.
TEST(RunDriverTest, TheRunAfterAKillAtAnyStepCompletes) {
  InputRun counted;
  counted.Drive();
  ASSERT_GT(counted.disk.steps(), 100);
  const FileMap inputs = {{"My_File.txt", kInputs.at("My File.txt")},
                          {"notes_2.txt", kInputs.at("notes-2.txt")}};
  for (long step = 1; step <= counted.disk.steps(); step += kStride) {
    SCOPED_TRACE("killed at step " + std::to_string(step));
    InputRun t;
    t.disk.KillAt(step);
    try {
      t.Drive();
    } catch (const DiskKilled&) {
    }
    t.disk.KillAt(0);
    ASSERT_EQ(Lost(t.disk), "");
    FakeConsole console(kKeys);
    quillon::Run second(&t.disk, &console, "quillon");
    ASSERT_EQ(drive_run(second), kExitDone);
    ASSERT_TRUE(Reached(transcript_of(second, console)));
    ASSERT_EQ(Below(t.disk, "htm_out"), CleanPages());
    ASSERT_EQ(Below(t.disk, "compare_in"), inputs);
  }
}

}  // namespace
}  // namespace quillon
