// The group index page i_[g].htm, one entry per word and page of the group,
// and the contents page files_list.htm, which lists every numbered page.

#ifndef QUILLON_INDEX_GROUP_INDEX_PAGES_H_
#define QUILLON_INDEX_GROUP_INDEX_PAGES_H_

#include "index/page_work.h"
#include "index/word_table.h"

namespace quillon {

/// Writes i_[group].htm.
void write_group_index_page(PageWork& work, const WordTable& table, int group);

/// Writes files_list.htm, which links every page with words.
void write_contents_page(PageWork& work, const WordTable& table);

}  // namespace quillon

#endif  // QUILLON_INDEX_GROUP_INDEX_PAGES_H_
