// The last screen of a run that delivered its pages.

#ifndef QUILLON_APP_RESULTS_SCREEN_H_
#define QUILLON_APP_RESULTS_SCREEN_H_

#include "base/console.h"
#include "base/failure_log.h"

namespace quillon {

/// Shows the results with the number of indexed word occurrences and ends
/// the run on any key.
[[noreturn]] void show_results(Console& console, const FailureLog& failures, long long word_total);

}  // namespace quillon

#endif  // QUILLON_APP_RESULTS_SCREEN_H_
