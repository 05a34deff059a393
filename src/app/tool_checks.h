// Making sure, before any input is touched, that every command the later
// phases rely on answers.

#ifndef QUILLON_APP_TOOL_CHECKS_H_
#define QUILLON_APP_TOOL_CHECKS_H_

#include <string>

#include "base/console.h"
#include "base/failure_log.h"
#include "run/file_table.h"
#include "shell/command_layer.h"

namespace quillon {

/// Runs the cmd, find, findstr and sort probes; a probe that fails ends the
/// run with a message naming the tool.
void run_tool_checks(CommandLayer& commands, FileTable& files, Console& console,
                     const FailureLog& failures);

/// The lines of a file that hold more than blanks; 0 for a missing file.
long count_nonblank_lines(FileTable& files, const std::string& name);

}  // namespace quillon

#endif  // QUILLON_APP_TOOL_CHECKS_H_
