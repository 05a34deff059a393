// The group search page s_[g].htm: the text of a group's pages reduced to
// their indexed words, one text line per page line, each followed by links
// back into the index and by web-search links built from its words.

#ifndef QUILLON_INDEX_SEARCH_PAGES_H_
#define QUILLON_INDEX_SEARCH_PAGES_H_

#include <string>
#include <string_view>

#include "base/text.h"
#include "index/page_work.h"
#include "index/word_table.h"

namespace quillon {

/// Writes s_[group].htm, with search links restricted to `destination_site`
/// when it is not empty. The random queries of long lines draw from
/// `random`, which must stand where the pages of the groups before left it.
void write_group_search_page(PageWork& work, const WordTable& table, int group,
                             const std::string& destination_site, RandomFractions* random);

/// How many fractions the search page of `group` draws.
long search_draws(const WordTable& table, int group);

/// The web-search query of a text line: its word list, or for a line of
/// more than 28 words up to 28 distinct words drawn at random from the list
/// before its last word (`selection_length` bytes), each with a blank in
/// front. A draw starts at a blank, so the line's first word is never drawn.
std::string search_query(RandomFractions& random, const std::string& word_list, long word_count,
                         long selection_length);

/// `text` with the bytes that would change a search address ('%', '&', '#',
/// '+' and '"') written as %-escapes; every other byte kept.
std::string search_address_text(const std::string& text);
void append_search_address_text(std::string* out, std::string_view text);

}  // namespace quillon

#endif  // QUILLON_INDEX_SEARCH_PAGES_H_
