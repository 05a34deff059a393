// The index of all words, index.htm: a heading per distinct word, in
// alphabetical order, and under it one counted link per page group that
// holds the word, into that group's index page.

#ifndef QUILLON_INDEX_WORD_INDEX_PAGE_H_
#define QUILLON_INDEX_WORD_INDEX_PAGE_H_

#include "index/word_table.h"
#include "run/run.h"

namespace quillon {

/// Writes index.htm, printing "processed 60%" to "processed 90%"; gives the
/// number of word occurrences.
long long write_word_index(Run& run, const WordTable& table);

}  // namespace quillon

#endif  // QUILLON_INDEX_WORD_INDEX_PAGE_H_
