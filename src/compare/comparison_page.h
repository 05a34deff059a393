// compare.htm: the two working copies side by side, one table cell each.

#ifndef QUILLON_COMPARE_COMPARISON_PAGE_H_
#define QUILLON_COMPARE_COMPARISON_PAGE_H_

#include <set>
#include <string>

#include "run/run.h"
#include "run/run_options.h"

namespace quillon {

/// Where the comparison went.
struct ComparisonPages {
  long parts = 0;                 ///< Parts in htm_wrk; 0 when compare.htm itself is there.
  std::string whole_page_folder;  ///< The folder that keeps compare.htm for delivery.
  std::string left_copy;          ///< The working copy in the left cell.
  std::string right_copy;         ///< The working copy in the right cell.
};

/// Writes compare.htm from the first two files that txt_wrk.list names, in a
/// table `table_width` wide, each line as text ("&", "<" and ">" escaped)
/// unless the file is one of the `html_twins` of this run, whose lines are
/// markup. When the page is larger than `part_size` bytes (and `part_size`
/// is not 0), htm_wrk receives it in numbered parts of about that size,
/// which are indexed instead; otherwise htm_wrk receives compare.htm. Ends
/// the run when the list does not name two .txt files.
ComparisonPages write_comparison_page(Run& run, const std::string& table_width, long part_size,
                                      const std::set<std::string>& html_twins);

}  // namespace quillon

#endif  // QUILLON_COMPARE_COMPARISON_PAGE_H_
