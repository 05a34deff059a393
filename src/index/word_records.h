// From the words as taken to numbered occurrences: a word id per distinct
// word (letter case aside), occurrence numbers, document order, and the
// pages in groups of two.

#ifndef QUILLON_INDEX_WORD_RECORDS_H_
#define QUILLON_INDEX_WORD_RECORDS_H_

#include "index/word_table.h"
#include "run/run.h"

namespace quillon {

/// Drops the words that hold "&nbsp;", numbers the rest and puts them in
/// document order; fills the linked pages and the group count.
void build_word_records(Run& run, WordTable* table);

}  // namespace quillon

#endif  // QUILLON_INDEX_WORD_RECORDS_H_
