// The console waits through which every phase asks the user or ends the run.

#ifndef QUILLON_RUN_CONSOLE_WAITS_H_
#define QUILLON_RUN_CONSOLE_WAITS_H_

#include <string>

#include "base/console.h"
#include "base/failure_log.h"

namespace quillon {

/// Opens every console section and every message block.
inline const char kSeparator[] = "----------------------------";

/// Shows the two option lines once; key "1" returns, key "2" ends the run,
/// every other key is ignored.
void choice_prompt(Console& console, const std::string& first, const std::string& second);

/// Shows the two option lines once; key "1" ends the run, key "2" returns,
/// every other key is ignored.
void stop_prompt(Console& console, const std::string& first, const std::string& second);

/// Shows "<1> = continue and end"; only key "1" ends the run. A run that
/// failed on the disk fails instead, before the prompt.
[[noreturn]] void end_prompt(Console& console, const FailureLog& failures);

/// Shows the line; any key ends the run. A run that failed on the disk
/// fails instead, before the line.
[[noreturn]] void any_key_end(Console& console, const FailureLog& failures,
                              const std::string& line);

/// Fails the run (RunFailed) when anything failed on the disk so far: no
/// later phase, and no screen that ends the run as if it were the reason,
/// comes after a failure.
void stop_if_failed(const FailureLog& failures);

}  // namespace quillon

#endif  // QUILLON_RUN_CONSOLE_WAITS_H_
