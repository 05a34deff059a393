#include "index/occurrence_lists.h"

#include <algorithm>

#include "base/text.h"
#include "run/work_files.h"

namespace quillon {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A word's file holds every line of the sorted, numbered records in which
// its id stands: the word's own records, and those of words that spell the
// id. A line holds the pages whose names stand in it: its own, and those a
// word spells. The answers below are those of reading that file: the next
// page after the first run of lines of a page, when it comes later in name
// order, and the lines read until the first run of lines holding the page
// has ended.
class WordFiles {
 public:
  explicit WordFiles(WordTable* table)
      : table_(*table),
        pages_(table->linked_pages.size()),
        lines_through_(pages_, 0),
        run_over_(pages_, false),
        next_page_(pages_, -1),
        touched_(pages_, false) {}

  void Answer();

 private:
  void FindSpelledIds();
  void ReadFile(uint32_t first, uint32_t end, const std::pair<uint32_t, uint32_t>* spelled,
                const std::pair<uint32_t, uint32_t>* spelled_end);
  void AddLine(uint32_t place);
  void Touch(uint32_t page) {
    if (!touched_[page]) touched_[page] = true, touched_list_.push_back(page);
  }
  void Clear();

  const Occurrence& At(uint32_t place) const { return table_.occurrences[table_.by_number[place]]; }

  WordTable& table_;
  size_t pages_;
  // For the file being read.
  uint32_t lines_ = 0;
  int64_t last_page_ = -1;
  std::vector<uint32_t> in_run_, still_, held_;
  std::vector<uint32_t> lines_through_;
  std::vector<bool> run_over_;
  std::vector<int32_t> next_page_;
  std::vector<bool> touched_;
  std::vector<uint32_t> touched_list_;
};

void WordFiles::FindSpelledIds() {
  const std::vector<uint32_t>& order = table_.by_number;
  std::vector<uint32_t> ids;
  for (uint32_t place = 0; place < order.size(); ++place) {
    const Occurrence& o = At(place);
    spelled_ids(&table_.text[o.word_at], o.word_size, &ids);
    for (uint32_t id : ids) {
      // Only the ids of words are ever looked up.
      if (id != o.id && id < order.size() && At(id).id == id) {
        table_.spelled_ids.push_back({id, place});
      }
    }
  }
  std::sort(table_.spelled_ids.begin(), table_.spelled_ids.end());
}

void WordFiles::AddLine(uint32_t place) {
  const Occurrence& o = At(place);
  uint32_t own = o.page;
  ++lines_;
  if (own != last_page_) {
    if (last_page_ >= 0 && compare_text(table_.linked_pages[own],
                                        table_.linked_pages[static_cast<size_t>(last_page_)]) > 0) {
      uint32_t last = static_cast<uint32_t>(last_page_);
      Touch(last);
      if (next_page_[last] < 0) next_page_[last] = static_cast<int32_t>(own);
    }
    last_page_ = own;
  }
  held_.clear();
  std::string_view word(&table_.text[o.word_at], o.word_size);
  if (word.find(work_files::kNumberedPages.prefix) == std::string_view::npos) {
    held_.push_back(own);
  } else {
    for (uint32_t p = 0; p < pages_; ++p) {
      if (p == own || word.find(table_.linked_pages[p]) != std::string_view::npos) {
        held_.push_back(p);
      }
    }
  }
  still_.clear();
  for (uint32_t page : in_run_) {
    if (std::find(held_.begin(), held_.end(), page) != held_.end()) {
      still_.push_back(page);
    } else {
      Touch(page);
      run_over_[page] = true;
    }
  }
  for (uint32_t page : held_) {
    Touch(page);
    if (run_over_[page]) continue;
    lines_through_[page] = lines_;
    if (std::find(still_.begin(), still_.end(), page) == still_.end()) still_.push_back(page);
  }
  in_run_.swap(still_);
}

void WordFiles::Clear() {
  for (uint32_t page : touched_list_) {
    lines_through_[page] = 0;
    run_over_[page] = false;
    next_page_[page] = -1;
    touched_[page] = false;
  }
  touched_list_.clear();
  in_run_.clear();
  lines_ = 0;
  last_page_ = -1;
}

// The file of the word whose records are [first, end) of by_number, with
// the lines of other words that spell its id.
void WordFiles::ReadFile(uint32_t first, uint32_t end, const std::pair<uint32_t, uint32_t>* spelled,
                         const std::pair<uint32_t, uint32_t>* spelled_end) {
  Clear();
  for (; spelled != spelled_end && spelled->second < first; ++spelled) AddLine(spelled->second);
  for (uint32_t place = first; place < end; ++place) AddLine(place);
  for (; spelled != spelled_end; ++spelled) AddLine(spelled->second);
  for (uint32_t place = first; place < end; ++place) {
    Occurrence& o = table_.occurrences[table_.by_number[place]];
    o.next_page = next_page_[o.page];
    o.last_on_page = lines_through_[o.page] > 0 ? lines_through_[o.page] : lines_;
  }
}

void WordFiles::Answer() {
  FindSpelledIds();
  const std::vector<uint32_t>& order = table_.by_number;
  const auto* spelled = table_.spelled_ids.data();
  const auto* spelled_end = spelled + table_.spelled_ids.size();
  for (uint32_t first = 0; first < order.size();) {
    uint32_t id = At(first).id;
    uint32_t end = first + 1;
    while (end < order.size() && At(end).id == id) ++end;
    while (spelled != spelled_end && spelled->first < id) ++spelled;
    const auto* own_end = spelled;
    while (own_end != spelled_end && own_end->first == id) ++own_end;
    ReadFile(first, end, spelled, own_end);
    spelled = own_end;
    first = end;
  }
}

}  // namespace

void spelled_ids(const char* word, size_t size, std::vector<uint32_t>* ids) {
  ids->clear();
  std::string_view text(word, size);
  for (size_t at = text.find("id"); at != std::string_view::npos; at = text.find("id", at + 1)) {
    if (at + 10 > size) break;
    uint32_t value = 0;
    size_t i = at + 2;
    for (; i < at + 10 && IsDigit(text[i]); ++i) value = value * 10 + (text[i] - '0');
    if (i < at + 10) continue;
    if (std::find(ids->begin(), ids->end(), value) == ids->end()) ids->push_back(value);
  }
}

void build_occurrence_lists(Run& run, WordTable* table) {
  WordFiles(table).Answer();
  run.print_line("processed 50%");
}

}  // namespace quillon
