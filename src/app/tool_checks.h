// Making sure, before any input is touched, that every command the later
// phases rely on answers.

#ifndef QUILLON_APP_TOOL_CHECKS_H_
#define QUILLON_APP_TOOL_CHECKS_H_

#include "run/run.h"

namespace quillon {

/// Runs the cmd, find, findstr and sort probes; a probe that fails ends the
/// run with a message naming the tool.
void run_tool_checks(Run& run);

/// The lines of a file that hold more than blanks; 0 for a missing file.
long count_nonblank_lines(Run& run, const std::string& name);

}  // namespace quillon

#endif  // QUILLON_APP_TOOL_CHECKS_H_
