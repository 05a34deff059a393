// The working copies: fresh copies of the chosen files in txt_wrk under
// clean names, and the listing the comparison page takes them from.

#ifndef QUILLON_COMPARE_WORKING_COPIES_H_
#define QUILLON_COMPARE_WORKING_COPIES_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Fills txt_wrk with clean-named copies of txt_in, lists them in
/// txt_wrk.list and empties htm_wrk; gives the zeros that page numbers are
/// filled to for that many copies.
std::string make_working_copies(Run& run);

}  // namespace quillon

#endif  // QUILLON_COMPARE_WORKING_COPIES_H_
