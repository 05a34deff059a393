// The one fixed sequence of phases of a run.

#ifndef QUILLON_APP_RUN_DRIVER_H_
#define QUILLON_APP_RUN_DRIVER_H_

#include "base/run.h"

namespace quillon {

/// Runs every phase in order; returns, or ends through a console wait
/// (RunEnded), when the run is over.
void run_program(Run& run);

/// Runs the program on the real console in the current folder and gives the
/// exit status (0 on every way the run ends).
int run_main(const char* argv0);

}  // namespace quillon

#endif  // QUILLON_APP_RUN_DRIVER_H_
