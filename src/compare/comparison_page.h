// compare.htm: the two working copies side by side, one table cell each.

#ifndef QUILLON_COMPARE_COMPARISON_PAGE_H_
#define QUILLON_COMPARE_COMPARISON_PAGE_H_

#include "base/run.h"

namespace quillon {

/// Writes compare.htm from the first two files that txt_wrk.list names, in
/// `table_width`, and copies it to htm_wrk; ends the run when the list does
/// not name two .txt files.
void write_comparison_page(Run& run);

}  // namespace quillon

#endif  // QUILLON_COMPARE_COMPARISON_PAGE_H_
