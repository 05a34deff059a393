// Regrouping every occurrence by page group, by page and by word, and the
// next page on which each occurrence's word stands.

#ifndef QUILLON_INDEX_OCCURRENCE_LISTS_H_
#define QUILLON_INDEX_OCCURRENCE_LISTS_H_

#include <string>
#include <vector>

#include "index/word_file_index.h"
#include "run/run.h"

namespace quillon {

/// The page names of group file group_search_[group].txt.
std::vector<std::string> group_pages(Run& run, int group);

/// Writes wrd_11_[g] to wrd_14_[g], wrd_15.txt and wrd_24_[g].txt for every
/// one of `group_count` groups; gives what the per-word files would answer,
/// for the navigators of the annotated pages.
WordFileIndex build_occurrence_lists(Run& run, int group_count);

}  // namespace quillon

#endif  // QUILLON_INDEX_OCCURRENCE_LISTS_H_
