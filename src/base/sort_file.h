// The program's own sort of work files by whole lines, in `compare_text`
// order, for files of any size.

#ifndef QUILLON_BASE_SORT_FILE_H_
#define QUILLON_BASE_SORT_FILE_H_

#include "base/run.h"

namespace quillon {

/// Sorts the file named by run.sort.input into run.sort.output (replaced;
/// empty when the input is missing or empty). Ends the run when no input is
/// named, when the merged lines come out of order, or when no file number is
/// left for the merge output.
void sort_file(Run& run);

}  // namespace quillon

#endif  // QUILLON_BASE_SORT_FILE_H_
