// The next page on which each occurrence's word stands, and the number of
// the word's last occurrence on its page, as the straightforward procedure's
// per-word files answer them.

#ifndef QUILLON_INDEX_OCCURRENCE_LISTS_H_
#define QUILLON_INDEX_OCCURRENCE_LISTS_H_

#include "index/word_table.h"
#include "run/run.h"

namespace quillon {

/// Fills every occurrence's next page and last number on its page, and the
/// table's spelled ids.
void build_occurrence_lists(Run& run, WordTable* table);

/// Every number of an "id" followed by 8 digits in the word, each once, in
/// the order they stand.
void spelled_ids(const char* word, size_t size, std::vector<uint32_t>* ids);

}  // namespace quillon

#endif  // QUILLON_INDEX_OCCURRENCE_LISTS_H_
