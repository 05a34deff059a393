// The destination address of the search links, the check for duplicate
// input files, and the working copies in txt_wrk under clean names.

#ifndef QUILLON_COMPARE_WORKING_COPIES_H_
#define QUILLON_COMPARE_WORKING_COPIES_H_

#include <string>

#include "base/run.h"

namespace quillon {

/// True when every line of the first file equals the line at the same place
/// in the second; a first file that runs past the second's end differs.
bool first_file_repeated(Run& run, int first, int second);


/// Asks for `destination_site`, lets the user stop at duplicate files, fills
/// txt_wrk with clean-named copies of txt_in, lists them in txt_wrk.list,
/// empties htm_wrk and sets `page_number_pad`.
void prepare_working_copies(Run& run);

}  // namespace quillon

#endif  // QUILLON_COMPARE_WORKING_COPIES_H_
