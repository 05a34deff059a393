#include "index/word_file_index.h"

#include <algorithm>

#include "base/field_reader.h"
#include "base/line_io.h"
#include "base/text.h"

namespace quillon {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::vector<std::string> WordFileIndex::IdsIn(const std::string& line) {
  std::vector<std::string> ids;
  for (size_t at = line.find("id"); at != std::string::npos; at = line.find("id", at + 1)) {
    if (at + 10 > line.size()) break;
    bool digits = true;
    for (size_t i = at + 2; i < at + 10 && digits; ++i) digits = IsDigit(line[i]);
    if (!digits) continue;
    std::string id = line.substr(at, 10);
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  }
  return ids;
}

int WordFileIndex::PageIndex(const std::string& page) const {
  auto it = page_index_.find(page);
  return it == page_index_.end() ? -1 : it->second;
}

// The run's pages that a line holds anywhere; a word may spell a page name.
std::vector<int> WordFileIndex::PagesHeld(const std::string& line, int own_page) const {
  std::vector<int> held;
  size_t first = line.find("page_");
  bool more = first != std::string::npos && line.find("page_", first + 1) != std::string::npos;
  if (!more) {
    if (own_page >= 0) held.push_back(own_page);
    return held;
  }
  for (size_t p = 0; p < pages_.size(); ++p) {
    if (line.find(pages_[p]) != std::string::npos) held.push_back(static_cast<int>(p));
  }
  return held;
}

void WordFileIndex::AddLine(const std::string& id, int own_page, const std::vector<int>& holds) {
  Word& word = words_[id];
  ++word.lines;
  // Next page: the first run of a page followed by a run of a greater page.
  if (own_page != word.last_page) {
    if (word.last_page >= 0 && own_page >= 0 &&
        compare_text(pages_[static_cast<size_t>(own_page)],
                     pages_[static_cast<size_t>(word.last_page)]) > 0) {
      PageState& previous = word.pages[word.last_page];
      if (previous.next_page < 0) previous.next_page = own_page;
    }
    word.last_page = own_page;
  }
  // Lines through a page: the count ends with the first run of lines holding it.
  std::vector<int> still;
  for (int page : word.in_run) {
    if (std::find(holds.begin(), holds.end(), page) != holds.end()) {
      still.push_back(page);
    } else {
      word.pages[page].run_over = true;
    }
  }
  for (int page : holds) {
    PageState& state = word.pages[page];
    if (state.run_over) continue;
    state.lines_through = word.lines;
    if (std::find(still.begin(), still.end(), page) == still.end()) still.push_back(page);
  }
  word.in_run = still;
}

bool WordFileIndex::Build(Disk& disk, const std::string& path,
                          const std::vector<std::string>& pages, FailureLog* failures) {
  pages_ = pages;
  for (size_t p = 0; p < pages_.size(); ++p) page_index_[pages_[p]] = static_cast<int>(p);
  LineReader reader(disk, path, failures);
  std::string line;
  while (reader.next(&line)) {
    StringSource source(line);
    int own_page = PageIndex(read_token_from(source));
    std::vector<int> holds = PagesHeld(line, own_page);
    for (const std::string& id : IdsIn(line)) AddLine(id, own_page, holds);
  }
  return !reader.failed();
}

std::string WordFileIndex::NextPage(const std::string& id, const std::string& page) const {
  auto word = words_.find(id);
  int index = PageIndex(page);
  if (word == words_.end() || index < 0) return "";
  auto state = word->second.pages.find(index);
  if (state == word->second.pages.end() || state->second.next_page < 0) return "";
  return pages_[static_cast<size_t>(state->second.next_page)];
}

long WordFileIndex::LinesThroughPage(const std::string& id, const std::string& page) const {
  auto word = words_.find(id);
  if (word == words_.end()) return 0;
  auto state = word->second.pages.find(PageIndex(page));
  if (state == word->second.pages.end() || state->second.lines_through == 0) {
    return word->second.lines;
  }
  return state->second.lines_through;
}

}  // namespace quillon
