// The sort of the run's quoted work files: whole lines in `compare_text`
// order, for files of any size. The run files, the merge and the line
// order come from the external sort below it; this adds the run's names and
// its error screen.

#ifndef QUILLON_RUN_WORK_FILE_SORT_H_
#define QUILLON_RUN_WORK_FILE_SORT_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Sorts the file `input` into `output` (replaced; empty when the input is
/// missing or empty). Ends the run when no input is named or the sort
/// cannot read or write its files.
void sort_file(Run& run, const std::string& input, const std::string& output);

}  // namespace quillon

#endif  // QUILLON_RUN_WORK_FILE_SORT_H_
