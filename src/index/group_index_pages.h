// The group index page i_[g].htm, one entry per word and page of the group,
// and the contents page files_list.htm, which lists every numbered page.

#ifndef QUILLON_INDEX_GROUP_INDEX_PAGES_H_
#define QUILLON_INDEX_GROUP_INDEX_PAGES_H_

#include "run/run.h"

namespace quillon {

/// Writes i_[group].htm from wrd_14_[group].txt and, while it is open,
/// files_list.htm anew.
void write_group_index_page(Run& run, int group);

/// Writes files_list.htm from group_page_all_sort.txt.
void write_contents_page(Run& run);

}  // namespace quillon

#endif  // QUILLON_INDEX_GROUP_INDEX_PAGES_H_
