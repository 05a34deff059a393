#include "app/run_driver.h"

#include <memory>

#include "app/folder_check.h"
#include "app/phase_table.h"
#include "base/end_run.h"
#include "run/console_waits.h"
#include "run/work_files.h"
#include "run/work_folders.h"

namespace quillon {

namespace {

const size_t kShownEntries = 20;

int Refused(Console& console, int status = kExitRefused) {
  console.flush();
  return status;
}

void ShowNames(Console& console, const std::vector<std::string>& names) {
  for (size_t i = 0; i < names.size() && i < kShownEntries; ++i) {
    console.print_line(printable_name(names[i]));
  }
  if (names.size() > kShownEntries) {
    console.print_line("and " + std::to_string(names.size() - kShownEntries) + " more.");
  }
  console.print_line();
}

void ShowEntriesInTheWay(Console& console, const std::vector<std::string>& names) {
  console.print_line(kSeparator);
  console.print_line("This folder is not quillon's own. These are in the way of its work:");
  ShowNames(console, names);
  console.print_line("Nothing was changed. Start quillon in a folder of its own that holds only");
  console.print_line("the folder compare_in with the files to compare.");
}

// Started elsewhere than in a folder made for it (a person's home folder,
// say), the run would strew its work files there before it found nothing
// to compare.
void ShowNoInputFolder(Console& console) {
  console.print_line(kSeparator);
  console.print_line("This folder holds no folder compare_in with files to compare.");
  console.print_line();
  console.print_line("Nothing was changed. Make a folder compare_in here that holds the two files");
  console.print_line("to compare, and start quillon in this folder again.");
}

// A folder used before the program kept a record of its own files, or whose
// record was lost: what has work names may be an earlier run's, or the user's.
void ShowEarlierRuns(Console& console, const std::vector<std::string>& names) {
  console.print_line(kSeparator);
  console.print_line("This folder holds files or folders with the names of quillon's work files,");
  console.print_line("and no record (" + std::string(work_files::kOwnRecord) +
                     ") says that quillon made them:");
  ShowNames(console, names);
  console.print_line(
      "Nothing was changed. If an earlier run of quillon left them, \"quillon --clean\"");
  console.print_line(
      "removes them (it lists them and asks first). Otherwise start quillon in a folder");
  console.print_line("of its own that holds only the folder compare_in with the files to compare.");
}

void ShowSharedNames(Console& console, const std::vector<SharedName>& shared) {
  console.print_line(kSeparator);
  for (const SharedName& group : shared) {
    console.print_line("These files of compare_in would all be named " +
                       printable_name(group.name) + ":");
    for (const std::string& given : group.given) {
      console.print_line(printable_name(work_files::in_folder(work_files::kInputFolder, given)));
    }
  }
  console.print_line();
  console.print_line(
      "Nothing was changed. Give each of them a name of its own, then start quillon");
  console.print_line("again.");
}

// Says what failed and why, once the work files are gone, and waits for a
// key as every end of a run does.
void ShowFailure(Console& console, const FailureLog& failures, bool with_output) {
  console.print_line();
  console.print_line(kSeparator);
  if (!failures.empty()) {
    console.print_line("The run stopped: it could not do all of its file work.");
    for (const DiskFailure& failure : failures.first()) console.print_line(describe(failure));
    long shown = static_cast<long>(failures.first().size());
    if (failures.count() > shown) {
      console.print_line("and " + std::to_string(failures.count() - shown) + " more failures.");
    }
  }
  console.print_line(std::string("The run removed its work files") +
                     (with_output ? " and its unfinished pages in htm_out" : "") +
                     "; the files in compare_in are kept.");
  console.print_line();
  console.print_line("<...> any key to continue and end");
  try {
    console.wait_key();
  } catch (const RunEnded&) {
  }
}

// A run whose console could not be written to did not say what it did: it
// failed, whatever it delivered.
int Ended(Console& console, int status) {
  if (!console.output_lost()) return status;
  console.print_error_line(
      "quillon: its console could not be written to; the run counts as failed. Pages already in "
      "htm_out stay.");
  return kExitFailed;
}

// Looks at the folder before anything is touched, and starts the record of
// the run's own files: kExitDone to go on, or how the run ends.
int TakeFolder(OwnDisk& own, Console& console) {
  bool has_record = own.read_record();
  FolderCheck check = check_folder(own, has_record ? &own.record() : nullptr);
  if (!check.in_the_way.empty()) {
    ShowEntriesInTheWay(console, check.in_the_way);
    return kExitRefused;
  }
  if (!check.earlier_runs.empty()) {
    ShowEarlierRuns(console, check.earlier_runs);
    return kExitRefused;
  }
  std::vector<SharedName> shared = inputs_sharing_a_name(own);
  if (!shared.empty()) {
    ShowSharedNames(console, shared);
    return kExitRefused;
  }
  bool recorded = true;
  for (const std::string& path : check.adopt) recorded = recorded && own.adopt(path);
  if (recorded && own.start()) return kExitDone;
  console.print_line(std::string("quillon cannot write its record ") + work_files::kOwnRecord +
                     " of the files it makes in this folder: " + describe(own.record().error()) +
                     ".");
  return kExitFailed;
}

}  // namespace

int drive_run(Run& run, const RunOptions& options, size_t* last_phase) {
  run.console.show_progress(!options.quiet);
  if (!run.disk.lock_root()) {
    run.print_line(run.disk.last_error() == DiskError::kNotFound
                       ? "quillon cannot open the folder it was started in."
                       : "Another quillon run is working in this folder. Wait until it ends, or "
                         "start quillon in a folder of its own.");
    return Refused(run.console);
  }
  if (!has_input_folder(run.disk)) {
    ShowNoInputFolder(run.console);
    return Refused(run.console);
  }
  int refused = TakeFolder(run.own, run.console);
  if (refused != kExitDone) return Refused(run.console, refused);
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
    run.own.take_back_pending();
    remove_work_files(run.own, with_output);
    run.own.finish();
    warn_about_new_entries(run.own, run.console);
    ShowFailure(run.console, failures, with_output);
    return Ended(run.console, kExitFailed);
  }
  run.own.finish();
  return Ended(run.console, kExitDone);
}

int run_main(const char* argv0, const RunOptions& options) {
  std::unique_ptr<Disk> disk = make_real_disk(".");
  std::unique_ptr<ConsoleDevice> device = make_standard_console();
  Run run(disk.get(), device.get(), argv0 ? argv0 : "");
  return drive_run(run, options);
}

}  // namespace quillon
