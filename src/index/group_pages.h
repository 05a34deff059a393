// The pages written group by group: for each page group in order, its pages
// annotated, its index page (with the contents page) and its search page.

#ifndef QUILLON_INDEX_GROUP_PAGES_H_
#define QUILLON_INDEX_GROUP_PAGES_H_

#include <string>

#include "index/word_file_index.h"
#include "run/run.h"

namespace quillon {

/// Fills wrd_24 with the per-group occurrence files, then writes the pages
/// of groups 1 to `group_count`; search links are restricted to
/// `destination_site` when it is not empty.
void write_group_pages(Run& run, int group_count, const WordFileIndex& word_files,
                       const std::string& destination_site);

}  // namespace quillon

#endif  // QUILLON_INDEX_GROUP_PAGES_H_
