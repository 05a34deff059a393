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

// A word of the index: its id, its heading, and its entries (group and
// count).
struct IndexWord {
  uint32_t id = 0;
  std::string heading;
  std::vector<std::pair<int, long>> entries;
};

// Visits the words in id order. An entry's count is the number of the
// group's occurrence lines that hold the word id: the word's own, and those
// of words that spell the id.
template <typename Visit>
void ForEachWord(const WordTable& table, Visit visit) {
  const std::vector<uint32_t>& order = table.by_number;
  auto spelled = table.spelled_ids.begin();
  IndexWord word;
  for (size_t first = 0; first < order.size();) {
    word.id = table.occurrences[order[first]].id;
    size_t end = first + 1;
    while (end < order.size() && table.occurrences[order[end]].id == word.id) ++end;
    std::vector<std::pair<int, long>> spelled_in;
    while (spelled != table.spelled_ids.end() && spelled->first < word.id) ++spelled;
    for (; spelled != table.spelled_ids.end() && spelled->first == word.id; ++spelled) {
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
    word.heading = table.word(FirstInDocument(table, first, end));
    word.entries.clear();
    // A word's occurrences are in page order, so a group's stand together.
    for (size_t place = first; place < end;) {
      int group = WordTable::group_of(table.occurrences[order[place]].page);
      long count = 0;
      for (; place < end && WordTable::group_of(table.occurrences[order[place]].page) == group;
           ++place) {
        ++count;
      }
      for (const std::pair<int, long>& g : spelled_in) {
        if (g.first == group) count += g.second;
      }
      word.entries.push_back({group, count});
    }
    visit(word);
    first = end;
  }
}

// About the bytes a word takes on the page: its heading and its entries.
size_t WordBytes(const IndexWord& word) {
  size_t bytes = 8 + word.heading.size();
  for (const std::pair<int, long>& entry : word.entries) {
    bytes += 70 + 2 * number_text(entry.first).size() + number_text(entry.second).size();
  }
  return bytes;
}

void write_page_end(Run& run, int out) {
  run.files.print_line(out, "</body>");
  run.files.print_line(out, "</html>");
  run.files.close_file(out);
}

// Every page of a long index leads to all of them, each link showing the
// page's first word.
void write_page_links(Run& run, int out, const WordTable& table) {
  std::string links;
  for (size_t page = 0; page < table.index_page_words.size(); ++page) {
    links += "<a href=\"" + work_files::word_index_page(static_cast<int>(page) + 1) + "\">" +
             table.index_page_words[page] + "</a> &nbsp; ";
  }
  run.files.print_line(out, links);
  run.files.print_line(out, "<br><br>");
}

// The pages of the index, each from the head to its words' entries. The
// last entry of the whole index goes without its count.
void write_pages(Run& run, const WordTable& table) {
  FileTable& files = run.files;
  int out = files.free_file_number();
  files.open_output(work_files::kWordIndexPage, out);
  write_index_head(run, out);
  if (table.by_number.empty()) {
    // The straightforward procedure reads one empty record here.
    files.print_line(out, entry_start("", number_text_fraction(text_to_number(""))) + ")</a>");
  } else {
    if (table.by_number.size() > 2) run.print_line("processed 80%");
    bool several = !table.index_page_starts.empty();
    if (several) write_page_links(run, out, table);
    // An entry is written when the next one comes, with its count; the
    // index's very last entry goes without it.
    struct {
      std::string word_id;
      int group = 0;
      long count = 0;
    } pending;
    auto write_pending = [&](bool counted) {
      if (pending.word_id.empty()) return;
      files.print_line(out, entry_start(pending.word_id, number_text(pending.group)) +
                                (counted ? ",&nbsp;&nbsp;" + number_text(pending.count) : "") +
                                ")</a>");
      pending.word_id.clear();
    };
    size_t next_page = 0;
    ForEachWord(table, [&](const IndexWord& word) {
      write_pending(true);
      if (next_page < table.index_page_starts.size() &&
          word.id == table.index_page_starts[next_page]) {
        write_page_end(run, out);
        out = files.free_file_number();
        files.open_output(work_files::word_index_page(static_cast<int>(++next_page) + 1), out);
        write_index_head(run, out);
        write_page_links(run, out, table);
      }
      write_heading(run, out, word.heading);
      for (const std::pair<int, long>& entry : word.entries) {
        write_pending(true);
        pending = {word_id_text(word.id), entry.first, entry.second};
      }
    });
    write_pending(false);
  }
  write_page_end(run, out);
}

}  // namespace

void plan_word_index_pages(WordTable* table, size_t page_bytes) {
  table->index_page_starts.clear();
  table->index_page_words.clear();
  size_t bytes = 0;
  ForEachWord(*table, [&](const IndexWord& word) {
    size_t more = WordBytes(word);
    if (table->index_page_words.empty() || (bytes > 0 && bytes + more > page_bytes)) {
      if (!table->index_page_words.empty()) table->index_page_starts.push_back(word.id);
      table->index_page_words.push_back(word.heading);
      bytes = 0;
    }
    bytes += more;
  });
  // One page needs no links between pages.
  if (table->index_page_starts.empty()) table->index_page_words.clear();
}

long long write_word_index(Run& run, const WordTable& table) {
  run.print_line("processed 60%");
  long long total = static_cast<long long>(table.by_number.size());
  run.print_line("processed 70%");
  write_pages(run, table);
  run.print_line("processed 90%");
  return total;
}

}  // namespace quillon
