// The index of all words, index.htm: a heading per distinct word, in
// alphabetical order, and under it one counted link per page group that
// holds the word, into that group's index page.

#ifndef QUILLON_INDEX_WORD_INDEX_PAGE_H_
#define QUILLON_INDEX_WORD_INDEX_PAGE_H_

#include <cstddef>

#include "index/word_table.h"
#include "run/run.h"

namespace quillon {

/// Bytes of entries above which the index of all words takes more pages: the
/// size a browser opens comfortably.
const size_t kWordIndexPageBytes = 1000000;

/// Cuts the index of all words into pages of about `page_bytes` each, at
/// word boundaries, before the pages that link into it are written; a small
/// index stays one page, index.htm.
void plan_word_index_pages(WordTable* table, size_t page_bytes = kWordIndexPageBytes);

/// Writes index.htm (and index_2.htm, ... as planned), printing
/// "processed 60%" to "processed 90%"; gives the number of word occurrences.
long long write_word_index(Run& run, const WordTable& table);

}  // namespace quillon

#endif  // QUILLON_INDEX_WORD_INDEX_PAGE_H_
