// The group index, contents and search pages as the straightforward
// procedure writes them: read back from the sorted group files wrd_14_[g] and
// wrd_12_[g], the contents page written anew for every group.

#include "model/model_pages.h"

#include "base/text.h"
#include "index/highlight_script.h"
#include "index/page_heads.h"
#include "index/page_preparation.h"
#include "index/search_pages.h"
#include "model/model_names.h"
#include "run/work_files.h"

namespace quillon {

void read_items(FileTable& files, int number, size_t count, std::vector<std::string>* items) {
  items->resize(count);
  for (size_t i = 0; i < count; ++i) (*items)[i] = files.read_token(number);
}

int open_for_input(FileTable& files, const std::string& name) {
  int number = files.free_file_number();
  files.open_input(name, number);
  return number;
}

int open_for_output(FileTable& files, const std::string& name) {
  int number = files.free_file_number();
  files.open_output(name, number);
  return number;
}

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

void model_write_contents_page(Run& run) {
  FileTable& files = run.files;
  int out = files.free_file_number();
  files.open_output(work_files::kContentsPage, out);
  run.files.print_text(out, common_head_text());
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

}  // namespace

void model_write_group_index_page(Run& run, int group) {
  FileTable& files = run.files;
  int out = files.free_file_number();
  files.open_output(work_files::group_index_page(group), out);
  run.files.print_text(out, common_head_text());
  files.print_line(out, "<br><br>");
  model_write_contents_page(run);
  files.print_line(out, "<a href=\"files_list.htm\"> Content </a><br>");
  files.print_line(out, "<br>");
  write_entries(run, out, group);
  files.print_line(out, "</body>");
  files.print_line(out, "</html>");
  files.close_file(out);
}

namespace {

const char kSearchAddress[] = "http://www.google.com/search?q=";

struct SearchRecord {
  std::string page;
  std::string line;
  std::string word;
  std::string word_id;
  std::string occurrence;
};

SearchRecord read_search_record(FileTable& files, int file) {
  SearchRecord record;
  record.page = files.read_token(file);
  record.line = files.read_token(file);
  files.read_token(file);  // The start position: the file is in position order already.
  record.word = files.read_token(file);
  record.word_id = files.read_token(file);
  record.occurrence = files.read_token(file);
  return record;
}

// One page line of the group, as far as its records have been read.
struct TextLine {
  std::string markup;
  std::string word_list;
  long word_count = 0;
  long selection_length = 0;  // Of the word list before its last word.
  std::string first_id;
  std::string page;
  std::string line;
};

std::string word_anchor(const SearchRecord& record) {
  return "<span id=\"" + record.word_id + "_" + record.occurrence + "\">";
}

std::string index_link(const SearchRecord& record, const std::string& group) {
  return "<a href=\"i_" + group + ".htm#" + record.word_id + "\">" + record.word + "</a></span>";
}

std::string continuation_form(const SearchRecord& record, const std::string& group) {
  return " " + word_anchor(record) + index_link(record, group);
}

std::string line_start_form(const SearchRecord& record, const std::string& group) {
  return word_anchor(record) + record.word + " &nbsp </span>&nbsp " + index_link(record, group);
}

void add_word(TextLine* text, const SearchRecord& record, const std::string& group) {
  text->markup += continuation_form(record, group);
  text->selection_length = text_length(text->word_list);
  text->word_list += trim_blanks(record.word) + " ";
  ++text->word_count;
}

void start_line(TextLine* text, const SearchRecord& record, const std::string& group) {
  text->markup = line_start_form(record, group);
  text->word_list = trim_blanks(record.word) + " ";
  text->word_count = 1;
  text->first_id = record.word_id;
  text->page = record.page;
  text->line = record.line;
}

void write_text_line(Run& run, int file, const std::string& group, const std::string& site,
                     const TextLine& text) {
  FileTable& files = run.files;
  if (find_text(1, to_lower(text.markup), "</html>") == 0) {
    files.print_line(file, text.markup + "<br>");
  }
  files.print_line(file,
                   "<a href=\"i_" + group + ".htm#" + text.first_id + "\">i_" + group + "</a>");
  files.print_line(file, "&nbsp <a href=\"index.htm#" + text.first_id + "\">index</a>");
  files.print_line(
      file, "&nbsp <a href=\"files_list.htm#" + text.page + "\"> Content (" + text.page + ")</a>");
  std::string link = std::string("&nbsp <a href=\"") + kSearchAddress +
                     search_address_text(search_query(run.random, text.word_list, text.word_count,
                                                      text.selection_length));
  if (!site.empty()) {
    files.print_line(file, link + " site:" + search_address_text(site) + "\"> " + site + "</a>");
  }
  files.print_line(file, link + "\"> web_search </a>");
  files.print_line(file, "<br><br>");
}

}  // namespace

void model_write_group_search_page(Run& run, int group, const std::string& destination_site) {
  FileTable& files = run.files;
  std::string g = number_text(group);
  int out = files.free_file_number();
  files.open_output(work_files::group_search_page(group), out);
  run.files.print_text(out, search_page_head_text());
  int in = files.free_file_number();
  files.open_input(work_files::group_occurrences_sorted(group), in);
  TextLine text;
  bool any = false;
  while (!files.end_of_file(in)) {
    SearchRecord record = read_search_record(files, in);
    if (!any) {
      text.first_id = record.word_id;
      text.page = record.page;
      text.line = record.line;
    }
    if (!any || (record.page == text.page && record.line == text.line)) {
      add_word(&text, record, g);
    } else {
      write_text_line(run, out, g, destination_site, text);
      start_line(&text, record, g);
    }
    any = true;
  }
  if (any) write_text_line(run, out, g, destination_site, text);
  files.close_file(in);
  files.print_line(out, "</body> <br>");
  files.print_line(out, "</html> <br>");
  files.close_file(out);
}

}  // namespace quillon
