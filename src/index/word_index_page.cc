#include "index/word_index_page.h"

#include <string>

#include "base/text.h"
#include "index/entry_counts.h"
#include "index/page_parts.h"
#include "run/work_file_sort.h"
#include "run/work_files.h"

namespace quillon {

namespace {

const int kRecordItems = 7;

struct WordRecord {
  std::string word_id;
  std::string group;  // Right-aligned in 5 characters.
  std::string word;
};

WordRecord read_word_record(FileTable& files, int file) {
  WordRecord record;
  record.word_id = files.read_token(file);
  record.group = files.read_token(file);
  files.read_token(file);  // Page, line and column.
  files.read_token(file);
  files.read_token(file);
  record.word = files.read_token(file);
  files.read_token(file);  // Occurrence number.
  return record;
}

long long count_records(Run& run, const std::string& name) {
  FileTable& files = run.files;
  int in = files.free_file_number();
  files.open_input(name, in);
  long long total = 0;
  while (!files.end_of_file(in)) {
    for (int i = 0; i < kRecordItems; ++i) files.read_token(in);
    ++total;
  }
  files.close_file(in);
  return total;
}

std::string entry_start(const WordRecord& entry) {
  std::string group = number_text_fraction(text_to_number(entry.group));
  return "&nbsp;&nbsp;<a href=\"i_" + group + ".htm#" + entry.word_id + "\" id=\"" + entry.word_id +
         "\">(i_" + group;
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

// One line per word and group; the last one of the page goes without its
// count.
void write_entries(Run& run, int out, long long total) {
  FileTable& files = run.files;
  int in = files.free_file_number();
  files.open_input(work_files::kAllOccurrencesSorted, in);
  WordRecord current = read_word_record(files, in);
  files.rewind_file(in);
  EntryCounts counts(run);
  std::string count;
  long long n = 0;
  while (!files.end_of_file(in)) {
    WordRecord record = read_word_record(files, in);
    if (++n == 1) {
      if (total > 2) run.print_line("processed 80%");
      write_heading(run, out, record.word);
    }
    if (record.word_id == current.word_id && record.group == current.group) continue;
    count = counts.Count(current.word_id, trim_blanks(current.group), count);
    files.print_line(out, entry_start(current) + ",&nbsp;&nbsp;" + count + ")</a>");
    if (record.word_id != current.word_id) write_heading(run, out, record.word);
    current = record;
  }
  files.close_file(in);
  files.print_line(out, entry_start(current) + ")</a>");
}

}  // namespace

long long write_word_index(Run& run) {
  run.print_line("processed 60%");
  sort_file(run, work_files::kAllOccurrences, work_files::kAllOccurrencesSorted);
  long long total = count_records(run, work_files::kAllOccurrencesSorted);
  run.print_line("processed 70%");
  FileTable& files = run.files;
  int out = files.free_file_number();
  files.open_output(work_files::kWordIndexPage, out);
  write_index_head(run, out);
  write_entries(run, out, total);
  files.print_line(out, "</body>");
  files.print_line(out, "</html>");
  files.close_file(out);
  run.print_line("processed 90%");
  return total;
}

}  // namespace quillon
