// `quillon FIRST SECOND`: the whole job without a dialogue. The run takes
// the dialogue's own path, with its answers supplied, in a private work
// folder beside the output folder; the pages are put in place by renames
// once the run has succeeded, and the work folder goes whatever happens.

#ifndef QUILLON_APP_ONE_COMMAND_H_
#define QUILLON_APP_ONE_COMMAND_H_

#include "run/run_options.h"

namespace quillon {

/// Runs the job that `options` describes (first_input and second_input set)
/// and gives the exit status: 0 when the pages are in place and their path
/// was printed, 1 when the run failed (nothing earlier lost), 2 when it was
/// refused before anything was touched. Ctrl-C and SIGTERM end it as the
/// signal would, once the work folder is gone.
int run_one_command(const char* argv0, const RunOptions& options);

}  // namespace quillon

#endif  // QUILLON_APP_ONE_COMMAND_H_
