#include "index/word_index_page.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "index/page_heads.h"
#include "index/page_work.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

void write_index_head(BlockWriter& out) {
  out.put(common_head_text());
  out.line("<br><br>");
  out.line("Use a combination of two keys (CTRL + F) to search.");
  out.line("<br><br>");
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

void write_page_end(BlockWriter& out) {
  out.line("</body>");
  out.line("</html>");
  out.close();
}

// Every page of a long index leads to all of them, each link showing the
// page's first word.
void write_page_links(BlockWriter& out, const WordTable& table) {
  std::vector<std::string> names = word_index_page_names(table);
  for (size_t page = 0; page < table.index_page_words.size(); ++page) {
    out.put("<a href=\"");
    out.put(names[page]);
    out.put("\">");
    out.put(table.index_page_words[page]);
    out.put("</a> &nbsp; ");
  }
  out.line("");
  out.line("<br><br>");
}

// An entry of a word: the link into a group's index page and, but for the
// index's very last entry, its count.
void write_entry(BlockWriter& out, uint32_t id, int group, long count, bool counted) {
  out.put("&nbsp;&nbsp;<a href=\"");
  out.put(group_index_page(group));
  out.put('#');
  out.put_word_id(id);
  out.put("\" id=\"");
  out.put_word_id(id);
  out.put("\">(");
  out.put(kGroupIndexPages.prefix);
  out.put_number(static_cast<uint64_t>(group));
  if (counted) {
    out.put(",&nbsp;&nbsp;");
    out.put_number(static_cast<uint64_t>(count));
  }
  out.put(")</a>\r\n");
}

// The pages of the index, each from the head to its words' entries. The
// last entry of the whole index goes without its count.
void write_pages(PageWork& work, const WordTable& table) {
  BlockWriter& out = work.out;
  work.open(kWordIndexPage);
  write_index_head(out);
  if (table.by_number.empty()) {
    // The straightforward procedure reads one empty record here.
    std::string group = number_text_fraction(text_to_number(""));
    out.line("&nbsp;&nbsp;<a href=\"" + kGroupIndexPages.name(group) + "#\" id=\"\">(" +
             kGroupIndexPages.prefix + group + ")</a>");
  } else {
    bool several = !table.index_page_starts.empty();
    if (several) write_page_links(out, table);
    // An entry is written when the next one comes, with its count; the
    // index's very last entry goes without it.
    struct {
      bool waiting = false;
      uint32_t id = 0;
      int group = 0;
      long count = 0;
    } pending;
    auto write_pending = [&](bool counted) {
      if (!pending.waiting) return;
      write_entry(out, pending.id, pending.group, pending.count, counted);
      pending.waiting = false;
    };
    size_t next_page = 0;
    ForEachWord(table, [&](const IndexWord& word) {
      write_pending(true);
      if (next_page < table.index_page_starts.size() &&
          word.id == table.index_page_starts[next_page]) {
        write_page_end(out);
        work.open(word_index_page(static_cast<int>(++next_page) + 1));
        write_index_head(out);
        write_page_links(out, table);
      }
      out.line("<br>");
      out.line(word.heading);
      for (const std::pair<int, long>& entry : word.entries) {
        write_pending(true);
        pending = {true, word.id, entry.first, entry.second};
      }
    });
    write_pending(false);
  }
  write_page_end(out);
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
  if (table.by_number.size() > 2) run.print_line("processed 80%");
  PageWork work(run.disk, &run.failures);
  write_pages(work, table);
  run.print_line("processed 90%");
  return total;
}

}  // namespace quillon
