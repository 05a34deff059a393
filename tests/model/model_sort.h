// The sort of the straightforward procedure's quoted work files, as simply
// as it can be had: whole lines in `compare_text` order. The procedure's
// run files and merges leave nothing behind that a run keeps.

#ifndef QUILLON_MODEL_MODEL_SORT_H_
#define QUILLON_MODEL_MODEL_SORT_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Sorts the lines of `input` into `output` (a missing input gives an empty
/// output).
void model_sort_file(Run& run, const std::string& input, const std::string& output);

}  // namespace quillon

#endif  // QUILLON_MODEL_MODEL_SORT_H_
