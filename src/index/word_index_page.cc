#include "index/word_index_page.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "index/page_parts.h"
#include "run/work_files.h"

namespace quillon {

namespace {

std::string entry_start(const std::string& word_id, const std::string& group) {
  return "&nbsp;&nbsp;<a href=\"i_" + group + ".htm#" + word_id + "\" id=\"" + word_id + "\">(i_" +
         group;
}

void write_heading(Run& run, int file, const std::string& word) {
  run.files.print_line(file, "<br>");
  run.files.print_line(file, word);
}

void write_index_head(Run& run, int file) {
  write_common_head(run, file);
  run.files.print_line(file, "<br><br>");
  run.files.print_line(file, "Use a combination of two keys (CTRL + F) to search.");
  run.files.print_line(file, "<br><br>");
}

// The first occurrence of a word in document order: of its first page and
// line, the one that starts first.
const Occurrence& FirstInDocument(const WordTable& table, size_t first, size_t end) {
  const Occurrence* best = &table.occurrences[table.by_number[first]];
  for (size_t place = first + 1; place < end; ++place) {
    const Occurrence& o = table.occurrences[table.by_number[place]];
    if (o.page != best->page || o.line != best->line) break;
    if (o.start < best->start) best = &o;
  }
  return *best;
}

// One line per word and group, with the number of the group's occurrence
// lines that hold the word id: the word's own, and those of words that
// spell the id. The last line of the page goes without its count.
void write_entries(Run& run, int out, const WordTable& table) {
  FileTable& files = run.files;
  const std::vector<uint32_t>& order = table.by_number;
  if (order.empty()) {
    // The straightforward procedure reads one empty record here.
    files.print_line(out, entry_start("", number_text_fraction(text_to_number(""))) + ")</a>");
    return;
  }
  if (order.size() > 2) run.print_line("processed 80%");
  // Each entry is written when the next one comes, with its count.
  std::string entry;
  long count = 0;
  auto write_counted = [&]() {
    if (!entry.empty())
      files.print_line(out, entry + ",&nbsp;&nbsp;" + number_text(count) + ")</a>");
  };
  auto spelled = table.spelled_ids.begin();
  for (size_t first = 0; first < order.size();) {
    uint32_t id = table.occurrences[order[first]].id;
    size_t end = first + 1;
    while (end < order.size() && table.occurrences[order[end]].id == id) ++end;
    // The lines of words that spell this id, by group.
    std::vector<std::pair<int, long>> spelled_in;
    while (spelled != table.spelled_ids.end() && spelled->first < id) ++spelled;
    for (; spelled != table.spelled_ids.end() && spelled->first == id; ++spelled) {
      int group = WordTable::group_of(table.occurrences[order[spelled->second]].page);
      auto known =
          std::find_if(spelled_in.begin(), spelled_in.end(),
                       [group](const std::pair<int, long>& g) { return g.first == group; });
      if (known == spelled_in.end()) {
        spelled_in.push_back({group, 1});
      } else {
        ++known->second;
      }
    }
    write_counted();
    entry.clear();
    write_heading(run, out, table.word(FirstInDocument(table, first, end)));
    std::string word_id = word_id_text(id);
    // A word's occurrences are in page order, so a group's stand together.
    for (size_t place = first; place < end;) {
      int group = WordTable::group_of(table.occurrences[order[place]].page);
      write_counted();
      entry = entry_start(word_id, number_text(group));
      count = 0;
      for (; place < end && WordTable::group_of(table.occurrences[order[place]].page) == group;
           ++place) {
        ++count;
      }
      for (const std::pair<int, long>& g : spelled_in) {
        if (g.first == group) count += g.second;
      }
    }
    first = end;
  }
  files.print_line(out, entry + ")</a>");
}

}  // namespace

long long write_word_index(Run& run, const WordTable& table) {
  run.print_line("processed 60%");
  long long total = static_cast<long long>(table.by_number.size());
  run.print_line("processed 70%");
  FileTable& files = run.files;
  int out = files.free_file_number();
  files.open_output(work_files::kWordIndexPage, out);
  write_index_head(run, out);
  write_entries(run, out, table);
  files.print_line(out, "</body>");
  files.print_line(out, "</html>");
  files.close_file(out);
  run.print_line("processed 90%");
  return total;
}

}  // namespace quillon
