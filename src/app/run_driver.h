// A run of the program: its lock, the check that its folder is its own, the
// phases, and how it ends.

#ifndef QUILLON_APP_RUN_DRIVER_H_
#define QUILLON_APP_RUN_DRIVER_H_

#include "compare/comparison_page.h"
#include "run/run.h"
#include "run/run_options.h"

namespace quillon {

/// Exit statuses: the run did its job or ended at one of its own screens;
/// it failed (its pages are not delivered whole); it was refused before it
/// touched anything.
const int kExitDone = 0;
const int kExitFailed = 1;
const int kExitRefused = 2;

/// Takes the folder's lock, checks that the folder is the run's own, walks
/// the phase table with the run's options and gives the exit status. A run
/// that fails says what failed and why, and removes its work files.
/// `last_phase`, when given, receives the row of the phase the run ended in.
int drive_run(Run& run, const RunOptions& options = RunOptions(), size_t* last_phase = nullptr);

/// The same on the real console and disk, in the current folder.
int run_main(const char* argv0, const RunOptions& options);

}  // namespace quillon

#endif  // QUILLON_APP_RUN_DRIVER_H_
