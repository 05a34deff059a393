#include "index/word_table.h"

#include <algorithm>
#include <cstring>

#include "run/work_files.h"

namespace quillon {

std::pair<size_t, size_t> WordTable::group_range(int group) const {
  auto first_on = [this](uint32_t page) {
    auto at = std::partition_point(occurrences.begin(), occurrences.end(),
                                   [page](const Occurrence& o) { return o.page < page; });
    return static_cast<size_t>(at - occurrences.begin());
  };
  uint32_t first_page = static_cast<uint32_t>(group - 1) * 2;
  return {first_on(first_page), first_on(first_page + 2)};
}

std::string WordTable::word_index_page(uint32_t id) const {
  return work_files::word_index_page(word_index_page_number(id));
}

int WordTable::word_index_page_number(uint32_t id) const {
  auto later = std::upper_bound(index_page_starts.begin(), index_page_starts.end(), id);
  return 1 + static_cast<int>(later - index_page_starts.begin());
}

std::vector<std::string> word_index_page_names(const WordTable& table) {
  std::vector<std::string> names;
  for (size_t page = 0; page <= table.index_page_starts.size(); ++page) {
    names.push_back(work_files::word_index_page(static_cast<int>(page) + 1));
  }
  return names;
}

std::string word_id_text(long long number) {
  std::string digits = std::to_string(static_cast<uint64_t>(number));
  return "id" + std::string(digits.size() < 8 ? 8 - digits.size() : 0, '0') + digits;
}

int compare_items(const char* a, size_t a_size, const char* b, size_t b_size) {
  size_t common = std::min(a_size, b_size);
  int order = std::memcmp(a, b, common);
  if (order != 0 || a_size == b_size) return order;
  // The shorter item meets its closing quote where the longer goes on.
  unsigned char next = static_cast<unsigned char>(a_size < b_size ? b[common] : a[common]);
  int shorter_first = '"' < next ? -1 : 1;
  return a_size < b_size ? shorter_first : -shorter_first;
}

}  // namespace quillon
