// compare.htm: the two working copies side by side, one table cell each.

#ifndef QUILLON_COMPARE_COMPARISON_PAGE_H_
#define QUILLON_COMPARE_COMPARISON_PAGE_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Writes compare.htm from the first two files that txt_wrk.list names, in a
/// table `table_width` wide, and copies it to htm_wrk; ends the run when the
/// list does not name two .txt files.
void write_comparison_page(Run& run, const std::string& table_width);

}  // namespace quillon

#endif  // QUILLON_COMPARE_COMPARISON_PAGE_H_
