// changes.htm: the two files of the comparison aligned line by line, with
// what changed marked, beside the indexed pages and never indexed itself.
// Long texts go on in changes_2.htm, changes_3.htm, ...

#ifndef QUILLON_COMPARE_CHANGES_PAGES_H_
#define QUILLON_COMPARE_CHANGES_PAGES_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Bytes of page after which the rows go on in the next part: a page that a
/// browser opens well within a second.
const long kChangesPartSize = 400000;

struct ChangesSource {
  std::string left_copy;   ///< The working copy in txt_wrk of the left column.
  std::string right_copy;  ///< The same for the right column.
  /// The names shown; empty: the name in compare_in the file was chosen by.
  std::string left_name;
  std::string right_name;
  std::string first_page;             ///< The first indexed page, linked from the head.
  long part_size = kChangesPartSize;  ///< Bytes of page per part; 0: one page.
};

/// Writes the changes pages into txt_wrk, where the index does not take
/// them up; gives how many there are.
long write_changes_pages(Run& run, const ChangesSource& source);

/// Moves the `pages` changes pages into htm_out.
void deliver_changes_pages(Run& run, long pages);

}  // namespace quillon

#endif  // QUILLON_COMPARE_CHANGES_PAGES_H_
