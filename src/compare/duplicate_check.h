// The check for chosen files with the same content: every pair of files in
// txt_wrk is compared once, and the user may stop at a duplicate.

#ifndef QUILLON_COMPARE_DUPLICATE_CHECK_H_
#define QUILLON_COMPARE_DUPLICATE_CHECK_H_

#include "run/run.h"

namespace quillon {

/// True when every line of the first file equals the line at the same place
/// in the second; a first file that runs past the second's end differs.
bool first_file_repeated(TableFile& first, TableFile& second);

/// Copies txt_in to txt_wrk and compares every pair of its files; at a
/// duplicate key "1" goes on, key "2" ends the run.
void check_duplicate_inputs(Run& run);

}  // namespace quillon

#endif  // QUILLON_COMPARE_DUPLICATE_CHECK_H_
