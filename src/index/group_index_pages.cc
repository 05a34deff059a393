#include "index/group_index_pages.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/text.h"
#include "index/page_parts.h"
#include "run/work_files.h"

namespace quillon {

namespace {

// The occurrences of one word on one page, in a row.
struct Entry {
  std::string word_id;
  std::string page;
  std::string word;              // As the first occurrence spells it.
  std::string first_occurrence;  // Its occurrence number.
  long count = 0;
  std::string index_page;  // The page of the index of all words with the word.
};

std::string word_link(const Entry& entry) {
  return "<a href=\"" + entry.page + "#" + entry.word_id + "\" id=\"" + entry.word_id + "\">" +
         entry.word + "</a>&nbsp;&nbsp;&nbsp; (" + entry.page + ", " + number_text(entry.count) +
         ")";
}

void write_entry(Run& run, int file, const std::string& group, const Entry& entry) {
  FileTable& files = run.files;
  files.print_line(file, "<br>");
  files.print_line(file, word_link(entry));
  files.print_line(file, "&nbsp;&nbsp;<a href=\"s_" + group + ".htm#" + entry.word_id + "_" +
                             entry.first_occurrence + "\">s_" + group + "</a>");
  files.print_line(
      file, "&nbsp;&nbsp;<a href=\"" + entry.index_page + "#" + entry.word_id + "\"> index</a>");
  files.print_line(file, "&nbsp;&nbsp;<a href=\"files_list.htm#" + entry.page + "\"> Content </a>");
}

// The page's last entry stands on one line, without its links.
void write_last_entry(Run& run, int file, const Entry& entry) {
  run.files.print_line(file, word_link(entry) + "<br>");
}

// Entries in word id order, and a word's on a page from its first
// occurrence there.
void write_entries(Run& run, int file, const WordTable& table, int group) {
  std::pair<size_t, size_t> range = table.group_range(group);
  std::vector<uint64_t> by_id;
  by_id.reserve(range.second - range.first);
  for (size_t i = range.first; i < range.second; ++i) {
    by_id.push_back(uint64_t{table.occurrences[i].id} << 32 | (i - range.first));
  }
  std::sort(by_id.begin(), by_id.end());
  std::string group_text = number_text(group);
  Entry current;
  const Occurrence* first = nullptr;
  for (uint64_t key : by_id) {
    const Occurrence& o = table.occurrences[range.first + (key & 0xFFFFFFFFu)];
    if (first && o.id == first->id && o.page == first->page) {
      ++current.count;
      continue;
    }
    if (first) write_entry(run, file, group_text, current);
    first = &o;
    current = {word_id_text(o.id),
               table.linked_pages[o.page],
               table.word(o),
               number_text(o.number),
               1,
               table.word_index_page(o.id)};
  }
  if (first) write_last_entry(run, file, current);
}

}  // namespace

void write_contents_page(Run& run, const WordTable& table) {
  FileTable& files = run.files;
  int out = files.free_file_number();
  files.open_output(work_files::kContentsPage, out);
  write_common_head(run, out);
  files.print_line(out, "<br>");
  for (const std::string& page : table.sorted_pages) {
    files.print_line(
        out, "<a href=\"" + page + "\"><span id = \"" + page + "\" >" + page + "</span></a><br>");
  }
  files.print_line(out, "<br><br>");
  files.print_line(out, "</body>");
  files.print_line(out, "</html>");
  files.close_file(out);
}

void write_group_index_page(Run& run, const WordTable& table, int group) {
  FileTable& files = run.files;
  int out = files.free_file_number();
  files.open_output(work_files::group_index_page(group), out);
  write_common_head(run, out);
  files.print_line(out, "<br><br>");
  files.print_line(out, "<a href=\"files_list.htm\"> Content </a><br>");
  files.print_line(out, "<br>");
  write_entries(run, out, table, group);
  files.print_line(out, "</body>");
  files.print_line(out, "</html>");
  files.close_file(out);
}

}  // namespace quillon
