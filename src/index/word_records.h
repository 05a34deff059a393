// From raw word records to sorted, numbered occurrences: a word id per
// distinct word (letter case aside), occurrence numbers, document and rank
// order, and the pages in groups of two.

#ifndef QUILLON_INDEX_WORD_RECORDS_H_
#define QUILLON_INDEX_WORD_RECORDS_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Writes wrd_01_01.txt to wrd_07.txt, group_page_all.txt, its sorted form
/// and the group files group_search_N.txt; gives the number of groups.
int build_word_records(Run& run);

/// The rank key of an occurrence: 100000000 minus its number, 8 digits.
std::string rank_key(long long occurrence);

}  // namespace quillon

#endif  // QUILLON_INDEX_WORD_RECORDS_H_
