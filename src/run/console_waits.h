// The console waits through which every phase asks the user or ends the run.

#ifndef QUILLON_RUN_CONSOLE_WAITS_H_
#define QUILLON_RUN_CONSOLE_WAITS_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Opens every console section and every message block.
inline const char kSeparator[] = "----------------------------";

/// Shows the two option lines once; key "1" returns, key "2" ends the run,
/// every other key is ignored.
void choice_prompt(Run& run, const std::string& first, const std::string& second);

/// Shows the two option lines once; key "1" ends the run, key "2" returns,
/// every other key is ignored.
void stop_prompt(Run& run, const std::string& first, const std::string& second);

/// Shows "<1> = continue and end"; only key "1" ends the run.
[[noreturn]] void end_prompt(Run& run);

/// Shows the line; any key ends the run.
[[noreturn]] void any_key_end(Run& run, const std::string& line);

}  // namespace quillon

#endif  // QUILLON_RUN_CONSOLE_WAITS_H_
