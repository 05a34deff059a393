#include "app/run_driver.h"

#include <memory>

#include "app/folder_check.h"
#include "app/phase_table.h"
#include "base/end_run.h"
#include "run/console_waits.h"
#include "run/work_folders.h"

namespace quillon {

namespace {

const size_t kShownEntries = 20;

int Refused(Run& run) {
  run.console.flush();
  return kExitRefused;
}

void ShowEntriesInTheWay(Run& run, const std::vector<std::string>& names) {
  run.print_line(kSeparator);
  run.print_line("This folder is not quillon's own. The run would delete or overwrite:");
  for (size_t i = 0; i < names.size() && i < kShownEntries; ++i) run.print_line(names[i]);
  if (names.size() > kShownEntries) {
    run.print_line("and " + std::to_string(names.size() - kShownEntries) + " more.");
  }
  run.print_line();
  run.print_line("Nothing was changed. Start quillon in a folder of its own that holds only");
  run.print_line("the folder compare_in with the files to compare.");
}

// Says what failed and why, once the work files are gone, and waits for a
// key as every end of a run does.
void ShowFailure(Run& run, const FailureLog& failures, bool with_output) {
  run.print_line();
  run.print_line(kSeparator);
  if (!failures.empty()) {
    run.print_line("The run stopped: it could not do all of its file work.");
    for (const DiskFailure& failure : failures.first()) run.print_line(describe(failure));
    long shown = static_cast<long>(failures.first().size());
    if (failures.count() > shown) {
      run.print_line("and " + std::to_string(failures.count() - shown) + " more failures.");
    }
  }
  run.print_line(std::string("The run removed its work files") +
                 (with_output ? " and its unfinished pages in htm_out" : "") +
                 "; the files in compare_in are kept.");
  run.print_line();
  run.print_line("<...> any key to continue and end");
  try {
    run.console.wait_key();
  } catch (const RunEnded&) {
  }
}

}  // namespace

int drive_run(Run& run, const RunOptions& options, size_t* last_phase) {
  if (!run.disk.lock_root()) {
    run.print_line(run.disk.last_error() == DiskError::kNotFound
                       ? "quillon cannot open the folder it was started in."
                       : "Another quillon run is working in this folder. Wait until it ends, or "
                         "start quillon in a folder of its own.");
    return Refused(run);
  }
  std::vector<std::string> in_the_way = entries_in_the_way(run.disk);
  if (!in_the_way.empty()) {
    ShowEntriesInTheWay(run, in_the_way);
    return Refused(run);
  }
  RunState state;
  state.options = options;
  bool failed = false;
  try {
    run_phases(run, state);
  } catch (const RunFailed&) {
    failed = true;
  } catch (const RunEnded&) {
  }
  if (last_phase) *last_phase = state.phase;
  run.files.close_all();
  if (failed || !run.failures.empty()) {
    FailureLog failures = run.failures;
    bool with_output = state.phase >= phase_index("selection");
    remove_work_files(run.disk, with_output);
    ShowFailure(run, failures, with_output);
    run.console.flush();
    return kExitFailed;
  }
  run.console.flush();
  return kExitDone;
}

int run_main(const char* argv0, const RunOptions& options) {
  std::unique_ptr<Disk> disk = make_real_disk(".");
  std::unique_ptr<ConsoleDevice> device = make_standard_console();
  Run run(disk.get(), device.get(), argv0 ? argv0 : "");
  return drive_run(run, options);
}

}  // namespace quillon
