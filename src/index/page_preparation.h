// Turning the HTML files to be indexed (normally the comparison page alone)
// into numbered pages page_NN.htm without control bytes.

#ifndef QUILLON_INDEX_PAGE_PREPARATION_H_
#define QUILLON_INDEX_PAGE_PREPARATION_H_

#include "base/run.h"

namespace quillon {

/// Stages the pages, sets the highlight settings, prints the indexing
/// heading and clears the folder of .txt files; ends the run when an HTML
/// file cannot be removed from the folder.
void prepare_pages(Run& run);

/// Raises the page number width for `count` files (never lowers it).
void raise_page_number_pad(Run& run, long count);

}  // namespace quillon

#endif  // QUILLON_INDEX_PAGE_PREPARATION_H_
