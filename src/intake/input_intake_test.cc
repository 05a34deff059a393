// How a failure stops the intake, on the fake disk. The clean names are
// clean_name's and the end-to-end intake test's; that no failure or kill at
// any step loses a file, and that the run after a kill completes, is the
// whole-run sweeps' to show.

#include "intake/input_intake.h"

#include <gtest/gtest.h>

#include <map>

#include "app/phase_table.h"
#include "support/test_run.h"

namespace quillon {
namespace {

// Two names to clean and one file of another kind; each failure ends the run
// with a message that says which file and why, and leaves what the next run
// completes.
TEST(InputIntakeTest, AFailureStopsItSayingWhichFileAndWhy) {
  const struct {
    Fault fault;
    const char* message;
  } cases[] = {
      // The sink of the copy-out cannot be opened, so nothing is copied out.
      {{DiskOp::kOpenWrite, "out_null.list", 1, 0},
       "compare_in\\data.csv: its copy in the program's folder is not complete."},
      {{DiskOp::kOpenRead, "compare_in/notes-2.txt", 0, 0},
       "compare_in\\notes-2.txt: it cannot be read (permission denied)."},
      {{DiskOp::kRead, "compare_in/My File.txt", 1, 4},
       "compare_in\\My File.txt: its copy in the program's folder is not complete."},
      {{DiskOp::kWrite, "intake_01.tmp", 1, 3},
       "compare_in\\My File.txt: its copy under the name My_File.txt could not be completed."},
      {{DiskOp::kOpenWrite, "intake_01.tmp", 2, 0},
       "compare_in\\notes-2.txt: its copy under the name notes_2.txt could not be completed."},
      {{DiskOp::kRename, "intake_01.tmp", 2, 0},
       "compare_in\\notes-2.txt: its copy under the name notes_2.txt could not be completed."},
      {{DiskOp::kRemove, "compare_in/My File.txt", 1, 0},
       "compare_in\\My File.txt: it could not be deleted; its copy is complete."},
      {{DiskOp::kWrite, "notes_2.txt", 1, 2},
       "compare_in\\notes-2.txt: its copy under the name notes_2.txt is not complete."},
      {{DiskOp::kMakeDir, "txt_wrk", 1, 0}, "Subfolder txt_wrk must be created."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    FakeRun t("1\n2\n\n\n");
    t.disk.AddFile("compare_in/My File.txt", "first line\r\nsecond line\r\n");
    t.disk.AddFile("compare_in/notes-2.txt", "other text\r\n");
    t.disk.AddFile("compare_in/data.csv", "1,2,3\r\n");
    t.disk.AddFault(c.fault);
    RunState state;
    EXPECT_FALSE(RunPhases(t.run, state, "intake", "comparison page"));
    // A stop of the intake itself says so after its reason.
    std::string message = c.message + std::string("\r\n");
    if (message.compare(0, 10, "compare_in") == 0) {
      message += "The intake stopped here; every file of compare_in is kept.\r\n";
    }
    EXPECT_NE(t.transcript().find(message), std::string::npos) << t.transcript();
    // Once the cause is gone, the next run puts every input back under its clean name.
    t.disk.ClearFaults();
    FakeConsole console("1\n2\n\n\n");
    quillon::Run next(&t.disk, &console, "quillon");
    RunState next_state;
    RunPhases(next, next_state, "intake", "comparison page");
    EXPECT_EQ(t.disk.Files("compare_in"), (FileMap{{"My_File.txt", "first line\r\nsecond line\r\n"},
                                                   {"notes_2.txt", "other text\r\n"}}));
  }
}

}  // namespace
}  // namespace quillon
