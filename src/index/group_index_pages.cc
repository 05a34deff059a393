#include "index/group_index_pages.h"

#include <string>

#include "base/text.h"
#include "index/page_parts.h"
#include "run/work_files.h"

namespace quillon {

namespace {

// The records of one word on one page, in a row.
struct Entry {
  std::string word_id;
  std::string page;
  std::string word;              // As the first record spells it.
  std::string first_occurrence;  // Of the first record.
  long count = 0;
};

Entry read_entry_record(FileTable& files, int file) {
  Entry record;
  record.word_id = files.read_token(file);
  record.page = files.read_token(file);
  files.read_token(file);  // Line and start position: the file is in their order already.
  files.read_token(file);
  record.word = files.read_token(file);
  files.read_token(file);  // The word id again.
  record.first_occurrence = files.read_token(file);
  record.count = 1;
  return record;
}

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
  files.print_line(file, "&nbsp;&nbsp;<a href=\"index.htm#" + entry.word_id + "\"> index</a>");
  files.print_line(file, "&nbsp;&nbsp;<a href=\"files_list.htm#" + entry.page + "\"> Content </a>");
}

// The page's last entry stands on one line, without its links.
void write_last_entry(Run& run, int file, const Entry& entry) {
  run.files.print_line(file, word_link(entry) + "<br>");
}

void write_entries(Run& run, int file, int group) {
  FileTable& files = run.files;
  int in = files.free_file_number();
  files.open_input(work_files::group_word_occurrences_sorted(group), in);
  Entry current;
  bool any = false;
  while (!files.end_of_file(in)) {
    Entry record = read_entry_record(files, in);
    if (any && record.word_id == current.word_id && record.page == current.page) {
      ++current.count;
      continue;
    }
    if (any) write_entry(run, file, number_text(group), current);
    current = record;
    any = true;
  }
  files.close_file(in);
  if (any) write_last_entry(run, file, current);
}

}  // namespace

void write_contents_page(Run& run) {
  FileTable& files = run.files;
  int out = files.free_file_number();
  files.open_output(work_files::kContentsPage, out);
  write_common_head(run, out);
  files.print_line(out, "<br>");
  int in = files.free_file_number();
  files.open_input(work_files::kPagesWithWordsSorted, in);
  while (!files.end_of_file(in)) {
    std::string page;
    files.read_line(in, &page);
    files.print_line(
        out, "<a href=\"" + page + "\"><span id = \"" + page + "\" >" + page + "</span></a><br>");
  }
  files.close_file(in);
  files.print_line(out, "<br><br>");
  files.print_line(out, "</body>");
  files.print_line(out, "</html>");
  files.close_file(out);
}

void write_group_index_page(Run& run, int group) {
  FileTable& files = run.files;
  int out = files.free_file_number();
  files.open_output(work_files::group_index_page(group), out);
  write_common_head(run, out);
  files.print_line(out, "<br><br>");
  write_contents_page(run);
  files.print_line(out, "<a href=\"files_list.htm\"> Content </a><br>");
  files.print_line(out, "<br>");
  write_entries(run, out, group);
  files.print_line(out, "</body>");
  files.print_line(out, "</html>");
  files.close_file(out);
}

}  // namespace quillon
