#include "index/word_records.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "base/text.h"

namespace quillon {

namespace {

// Words compared as their lower-case forms, without making them.
char Folded(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct FoldedHash {
  size_t operator()(std::string_view word) const {
    uint64_t hash = 14695981039346656037u;
    for (char c : word) hash = (hash ^ static_cast<unsigned char>(Folded(c))) * 1099511628211u;
    return static_cast<size_t>(hash);
  }
};

struct FoldedEqual {
  bool operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      if (Folded(a[i]) != Folded(b[i])) return false;
    }
    return true;
  }
};

const uint32_t kDropped = UINT32_MAX;

// The first eight bytes of an item as the sort of quoted records sees them,
// the item's closing quote included, as a number that orders as they do.
// Items hold no double quote, so where two keys differ they order as the
// items do, and where they are equal the items agree in their first eight
// bytes.
uint64_t ItemKey(const std::string& item) {
  uint64_t key = 0;
  for (size_t i = 0; i < 8; ++i) {
    unsigned char c = i < item.size()    ? static_cast<unsigned char>(item[i])
                      : i == item.size() ? '"'
                                         : 0;
    key = key << 8 | c;
  }
  return key;
}

// The place of each page in name order.
std::vector<uint32_t> PageRanks(const std::vector<std::string>& pages) {
  std::vector<uint32_t> order(pages.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](uint32_t a, uint32_t b) { return compare_items(pages[a], pages[b]) < 0; });
  std::vector<uint32_t> rank(pages.size());
  for (uint32_t r = 0; r < order.size(); ++r) rank[order[r]] = r;
  return rank;
}

class Numbering {
 public:
  Numbering(WordTable* table) : table_(*table), page_rank_(PageRanks(table->pages)) {}

  // Words by their lower-case form, in the order of those forms; every
  // occurrence gets the rank of its word, or kDropped.
  void RankWords();
  // The order of the sorted lower-case records: by word, then page, line,
  // the word as found and start. A word's id is the place of its first
  // record there, and its occurrences are numbered in that order.
  void Number();
  // Document order: page, line, start, then the rest of the record.
  void PutInDocumentOrder();
  void GroupPages();

 private:
  int CompareWords(const Occurrence& a, const Occurrence& b) const {
    return compare_items(&table_.text[a.word_at], a.word_size, &table_.text[b.word_at],
                         b.word_size);
  }

  WordTable& table_;
  std::vector<uint32_t> page_rank_;
  std::vector<uint32_t> rank_of_;     // Per occurrence.
  std::vector<uint32_t> rank_count_;  // Occurrences per rank.
};

void Numbering::RankWords() {
  const std::string& text = table_.text;
  std::unordered_map<std::string_view, uint32_t, FoldedHash, FoldedEqual> distinct;
  std::vector<std::string> lower;
  std::vector<uint32_t> word_of;
  word_of.reserve(table_.occurrences.size());
  for (const Occurrence& o : table_.occurrences) {
    std::string_view word(&text[o.word_at], o.word_size);
    auto found = distinct.try_emplace(word, static_cast<uint32_t>(lower.size()));
    if (found.second) lower.push_back(to_lower(std::string(word)));
    word_of.push_back(found.first->second);
  }
  std::vector<uint32_t> order;
  for (uint32_t w = 0; w < lower.size(); ++w) {
    if (find_text(1, lower[w], "&nbsp;") == 0) order.push_back(w);
  }
  // Sorted on the first eight bytes of each item and its closing quote
  // first, which decide nearly every comparison.
  std::vector<std::pair<uint64_t, uint32_t>> keyed;
  keyed.reserve(order.size());
  for (uint32_t w : order) keyed.push_back({ItemKey(lower[w]), w});
  std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return compare_items(lower[a.second], lower[b.second]) < 0;
  });
  for (size_t i = 0; i < keyed.size(); ++i) order[i] = keyed[i].second;
  std::vector<uint32_t> rank(lower.size(), kDropped);
  for (uint32_t r = 0; r < order.size(); ++r) rank[order[r]] = r;
  rank_count_.assign(order.size(), 0);
  rank_of_.resize(word_of.size());
  for (size_t i = 0; i < word_of.size(); ++i) {
    rank_of_[i] = rank[word_of[i]];
    if (rank_of_[i] != kDropped) ++rank_count_[rank_of_[i]];
  }
}

void Numbering::Number() {
  std::vector<uint32_t> first(rank_count_.size() + 1, 0);
  std::partial_sum(rank_count_.begin(), rank_count_.end(), first.begin() + 1);
  std::vector<uint32_t>& sorted = table_.by_number;
  sorted.assign(first.back(), 0);
  std::vector<uint32_t> next(first.begin(), first.end() - 1);
  for (uint32_t i = 0; i < rank_of_.size(); ++i) {
    if (rank_of_[i] != kDropped) sorted[next[rank_of_[i]]++] = i;
  }
  const std::vector<Occurrence>& all = table_.occurrences;
  auto before = [&](uint32_t x, uint32_t y) {
    const Occurrence& a = all[x];
    const Occurrence& b = all[y];
    if (a.page != b.page) return page_rank_[a.page] < page_rank_[b.page];
    if (a.line != b.line) return a.line < b.line;
    int word = CompareWords(a, b);
    return word != 0 ? word < 0 : a.start < b.start;
  };
  // Taken page by page and line by line, a word is in page and line order
  // already when the pages were taken in name order; then only the
  // occurrences on one line can be out of order, and only they are sorted.
  bool pages_in_order = std::is_sorted(page_rank_.begin(), page_rank_.end());
  for (size_t r = 0; r < rank_count_.size(); ++r) {
    auto from = sorted.begin() + first[r], to = sorted.begin() + first[r + 1];
    if (std::is_sorted(from, to, before)) {
    } else if (!pages_in_order) {
      std::sort(from, to, before);
    } else {
      for (auto line = from; line != to;) {
        auto end = line + 1;
        while (end != to && all[*end].page == all[*line].page &&
               all[*end].line == all[*line].line) {
          ++end;
        }
        if (end - line > 1) std::sort(line, end, before);
        line = end;
      }
    }
    for (auto at = from; at != to; ++at) {
      Occurrence& o = table_.occurrences[*at];
      o.id = first[r];
      o.number = static_cast<uint32_t>(at - from) + 1;
    }
  }
}

void Numbering::PutInDocumentOrder() {
  std::vector<Occurrence>& all = table_.occurrences;
  auto before = [&](const Occurrence& a, const Occurrence& b) {
    if (a.page != b.page) return page_rank_[a.page] < page_rank_[b.page];
    if (a.line != b.line) return a.line < b.line;
    if (a.start != b.start) return a.start < b.start;
    int word = CompareWords(a, b);
    if (word != 0) return word < 0;
    if (a.id != b.id) return a.id < b.id;
    return compare_items(number_text(a.number), number_text(b.number)) < 0;
  };
  std::vector<uint32_t> kept;
  bool in_order = true;
  for (uint32_t i = 0; i < all.size(); ++i) {
    if (rank_of_[i] == kDropped) continue;
    if (!kept.empty() && before(all[i], all[kept.back()])) in_order = false;
    kept.push_back(i);
  }
  rank_of_.clear();
  rank_of_.shrink_to_fit();
  if (!in_order) {
    std::stable_sort(kept.begin(), kept.end(),
                     [&](uint32_t a, uint32_t b) { return before(all[a], all[b]); });
  }
  // by_number names occurrences by their place, which changes here.
  std::vector<uint32_t> place(all.size(), 0);
  for (uint32_t k = 0; k < kept.size(); ++k) place[kept[k]] = k;
  for (uint32_t& i : table_.by_number) i = place[i];
  place = {};
  if (in_order) {
    // kept rises at least as fast as its index, so this moves forward only.
    for (uint32_t k = 0; k < kept.size(); ++k) all[k] = all[kept[k]];
    all.resize(kept.size());
  } else {
    std::vector<Occurrence> ordered;
    ordered.reserve(kept.size());
    for (uint32_t i : kept) ordered.push_back(all[i]);
    all.swap(ordered);
  }
}

// Pages in the order of their first word, which document order makes their
// name order; two to a group, and a last group that is empty when the
// pages are even in number.
void Numbering::GroupPages() {
  std::vector<uint32_t> linked_as(table_.pages.size(), kDropped);
  for (Occurrence& o : table_.occurrences) {
    if (linked_as[o.page] == kDropped) {
      linked_as[o.page] = static_cast<uint32_t>(table_.linked_pages.size());
      table_.linked_pages.push_back(table_.pages[o.page]);
    }
    o.page = linked_as[o.page];
  }
  // Without words the straightforward procedure reads one empty record,
  // whose empty page makes the one group.
  if (table_.linked_pages.empty()) table_.linked_pages.push_back("");
  table_.group_count = static_cast<int>(table_.linked_pages.size() / 2) + 1;
  table_.sorted_pages = table_.linked_pages;
  std::stable_sort(
      table_.sorted_pages.begin(), table_.sorted_pages.end(),
      [](const std::string& a, const std::string& b) { return compare_text(a, b) < 0; });
}

}  // namespace

void build_word_records(Run& run, WordTable* table) {
  Numbering numbering(table);
  numbering.RankWords();
  numbering.Number();
  run.print_line("processed 20%");
  numbering.PutInDocumentOrder();
  run.print_line("processed 30%");
  numbering.GroupPages();
  run.print_line("processed 40%");
}

}  // namespace quillon
