// The sort of work files as the straightforward procedure does it: runs of
// 2000 lines sorted by selection, each in a file of its own, merged at most
// 50 at a time through the file table, with an order check after each pass.

#ifndef QUILLON_MODEL_MODEL_SORT_H_
#define QUILLON_MODEL_MODEL_SORT_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Sorts `input` into `output`; ends the run as the procedure does when no
/// input is named, the merged lines come out of order, or no file number is
/// left for the merge output.
void model_sort_file(Run& run, const std::string& input, const std::string& output);

}  // namespace quillon

#endif  // QUILLON_MODEL_MODEL_SORT_H_
