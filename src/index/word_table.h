// The run's words in memory, from word extraction to the index of all words:
// every occurrence once, with what the index phases add to it (its word id,
// occurrence number and next page), and the orders the pages are written in.
// The straightforward procedure hands the same records on as quoted work
// files that it sorts and reads back; the orders here are those sorts'.

#ifndef QUILLON_INDEX_WORD_TABLE_H_
#define QUILLON_INDEX_WORD_TABLE_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quillon {

/// One word of a page.
struct Occurrence {
  uint64_t word_at = 0;  ///< Where the word stands in WordTable::text.
  uint32_t word_size = 0;
  uint32_t page = 0;  ///< Into WordTable::pages; after word records, into linked_pages.
  uint32_t line = 0;
  uint32_t start = 0;
  // Set by word records:
  uint32_t id = 0;      ///< The number of the word id.
  uint32_t number = 0;  ///< The occurrence number.
  // Set by the occurrence lists:
  int32_t next_page = -1;     ///< Into linked_pages; -1 for none.
  uint32_t last_on_page = 0;  ///< The number of the word's last occurrence on its page.
};

struct WordTable {
  /// Word extraction: the numbered pages as listed, and the words in the
  /// order they were taken.
  std::vector<std::string> pages;
  std::string text;
  std::vector<Occurrence> occurrences;

  /// Word records: the occurrences in document order (page, line, start);
  /// the pages that hold words, in that order (two to a page group) and
  /// in name order (for the page links and the contents page).
  std::vector<std::string> linked_pages;
  std::vector<std::string> sorted_pages;
  int group_count = 0;
  /// The occurrences in word order (the order of word ids, each word's in
  /// the order of its occurrence numbers), which the occurrence lists read.
  std::vector<uint32_t> by_number;
  /// Occurrences whose word spells another word's id: (id, place in
  /// by_number). The straightforward procedure's searches for an id find
  /// their records too.
  std::vector<std::pair<uint32_t, uint32_t>> spelled_ids;

  /// The index of all words, when it takes more than one page: the id of
  /// the first word of every page after the first, and the heading word of
  /// every page's first word.
  std::vector<uint32_t> index_page_starts;
  std::vector<std::string> index_page_words;

  std::string word(const Occurrence& o) const { return text.substr(o.word_at, o.word_size); }
  /// The page of the index of all words that holds the word with id `id`,
  /// and its number (from 1).
  std::string word_index_page(uint32_t id) const;
  int word_index_page_number(uint32_t id) const;
  /// The page group of a page of linked_pages, from 1.
  static int group_of(uint32_t page) { return static_cast<int>(page / 2) + 1; }
  /// The occurrences of group `group` in document order: [first, second).
  std::pair<size_t, size_t> group_range(int group) const;
};

/// The names of the pages of the index of all words, the first at 0.
std::vector<std::string> word_index_page_names(const WordTable& table);

/// "id" and the number filled to 8 digits: the text of a word id, as
/// BlockWriter::put_word_id writes it.
std::string word_id_text(long long number);

/// Orders two items as the sort of quoted records orders them: each item
/// ends at its closing double quote, which no item holds.
int compare_items(const char* a, size_t a_size, const char* b, size_t b_size);
inline int compare_items(const std::string& a, const std::string& b) {
  return compare_items(a.data(), a.size(), b.data(), b.size());
}

}  // namespace quillon

#endif  // QUILLON_INDEX_WORD_TABLE_H_
