#include "index/page_annotation.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "index/page_parts.h"
#include "run/work_files.h"
#include "run/work_folders.h"

namespace quillon {

namespace {

using namespace work_files;

class GroupRewriter {
 public:
  GroupRewriter(Run& run, const WordTable& table, int group, PageLinks* links)
      : run_(run),
        files_(run.files),
        table_(table),
        group_index_page_(group_index_page(group)),
        group_search_page_(group_search_page(group)),
        links_(links) {}

  void Add(const Occurrence& o);
  void Finish();

 private:
  void OpenPage(const std::string& page);
  void FinishPage();
  void ReplacePage();
  void WriteRest();
  void ReadThrough(long line);
  void WriteHeadBlock();
  void WriteNavigationLinks();
  void AddNavigator(const Occurrence& o, const std::string& id);
  void LookUpNeighbours();

  Run& run_;
  FileTable& files_;
  const WordTable& table_;
  std::string group_index_page_, group_search_page_;
  PageLinks* links_;
  std::string page_, output_;
  int in_ = 0, out_ = 0;
  long lines_read_ = 0;
  std::string current_;
  long previous_start_ = 0, previous_length_ = 0;
  bool body_found_ = false;
  std::string block_;
};

void GroupRewriter::OpenPage(const std::string& page) {
  page_ = page;
  output_ = page_being_annotated(page_);
  in_ = files_.free_file_number();
  files_.open_input(page_, in_);
  lines_read_ = 0;
  previous_start_ = 0;
  body_found_ = false;
  out_ = files_.free_file_number();
  files_.open_output(output_, out_);
}

// The copies of pages as they were, which the straightforward procedure
// makes before rewriting them, are never read, so they are not made.
void GroupRewriter::Add(const Occurrence& o) {
  const std::string& page = table_.linked_pages[o.page];
  if (page_.empty()) OpenPage(page);
  if (previous_start_ > 0 && (page != page_ || static_cast<long>(o.line) != lines_read_)) {
    WriteRest();
  }
  if (page != page_) {
    FinishPage();
    ReplacePage();
    OpenPage(page);
  }
  ReadThrough(o.line);
  long start = o.start;
  long gap = previous_start_ == 0 ? start - 1 : start - previous_start_ - previous_length_;
  long from = previous_start_ == 0 ? 1 : previous_start_ + previous_length_;
  // The lines of one word go to the page at once.
  std::string& b = block_;
  b = substring(current_, from, gap);
  std::string id = word_id_text(o.id);
  const char* word = &table_.text[o.word_at];
  append(&b, "\r\n<span id=\"", id, "\" type = \"text/javascript\"ondblclick = \"window.open('",
         page, "#", id, "'); window.event.cancelbubble = true;\">");
  b.append(word, o.word_size);
  b += "</span>\r\n";
  if (std::string_view(word, o.word_size) != "Pages_list") AddNavigator(o, id);
  files_.print_text(out_, b);
  previous_start_ = start;
  previous_length_ = o.word_size;
}

void GroupRewriter::Finish() {
  if (page_.empty()) return;
  if (previous_start_ > 0) WriteRest();
  FinishPage();
  ReplacePage();
}

void GroupRewriter::WriteRest() {
  files_.print_line(out_, substring(current_, previous_start_ + previous_length_, -1));
  previous_start_ = 0;
}

void GroupRewriter::ReadThrough(long line) {
  while (lines_read_ < line) {
    files_.read_line(in_, &current_);
    ++lines_read_;
    previous_start_ = 0;
    if (!body_found_ && is_body_line(current_)) {
      body_found_ = true;
      WriteHeadBlock();
    }
    if (lines_read_ < line) files_.print_line(out_, current_);
  }
}

void GroupRewriter::FinishPage() {
  std::string line;
  while (!files_.end_of_file(in_)) {
    files_.read_line(in_, &line);
    ++lines_read_;
    if (find_text(1, to_lower(line), "</body>") > 0) {
      files_.print_line(out_, "<br>");
      WriteNavigationLinks();
    }
    files_.print_line(out_, line);
  }
  files_.close_file(in_);
  files_.close_file(out_);
}

// The rewritten page takes the place of the page. It is moved there: the
// copy a copy command would leave behind is deleted unread at the end.
void GroupRewriter::ReplacePage() {
  std::string from, to;
  if (resolve_path(run_.disk, output_, &from) && resolve_path(run_.disk, trim_blanks(page_), &to) &&
      run_.disk.rename(from, to)) {
    return;
  }
  run_.run_command("copy /y " + output_ + " " + trim_blanks(page_) + " > " + kSink);
}

void GroupRewriter::WriteHeadBlock() {
  write_highlight_script(run_, out_);
  files_.print_line(out_, "<br>");
  WriteNavigationLinks();
}

// The pages before and after this one among the pages with words; at the
// first page the link before keeps what it was.
void GroupRewriter::LookUpNeighbours() {
  const std::vector<std::string>& pages = table_.sorted_pages;
  auto at = std::lower_bound(
      pages.begin(), pages.end(), page_,
      [](const std::string& a, const std::string& b) { return compare_text(a, b) < 0; });
  if (at == pages.end() || *at != page_) return;
  links_->next = at + 1 == pages.end() ? "" : *(at + 1);
  if (at != pages.begin()) links_->before = *(at - 1);
}

void GroupRewriter::WriteNavigationLinks() {
  LookUpNeighbours();
  if (!links_->before.empty()) {
    files_.print_line(out_, "<a href=\"" + links_->before + "\"> Before </a> ");
  }
  if (!links_->next.empty())
    files_.print_line(out_, "<a href=\"" + links_->next + "\"> Next </a> ");
  files_.print_line(out_, "<a href=\"files_list.htm\"> Content </a><br>");
}

void GroupRewriter::AddNavigator(const Occurrence& o, const std::string& id) {
  std::string& b = block_;
  std::string number = number_text(o.number);
  append(&b, "<span hidden id=\"", id, "\">\r\n(", number, ")(<a href=\"#", id, "_");
  if (o.number < o.last_on_page) {
    append(&b, number_text(o.number + 1), "\">&gt;</a>,\r\n");
  } else {
    append(&b, number, "\"></a>\r\n");
  }
  append(&b, "<a href=\"", group_index_page_, "#", id, "\">i</a>,\r\n");
  append(&b, "<a href=\"", group_search_page_, "#", id, "_", number, "\">s</a>,\r\n");
  if (o.next_page < 0) {
    b += "<a href=\"files_list.htm\">c)</a></span>\r\n";
  } else {
    append(&b, "<a href=\"files_list.htm\">c</a>,\r\n<a href=\"",
           table_.linked_pages[static_cast<size_t>(o.next_page)], "#", id,
           "\">&gt;&gt;)</a></span>\r\n");
  }
  append(&b, "<span id=\"", id, "_", number, "\"></span>\r\n");
}

}  // namespace

bool is_body_line(const std::string& line) {
  return tag_opens(line, find_text(1, to_lower(line), "body"));
}

// The straightforward procedure writes the occurrence files in the folder,
// copies them here and back again; they are written here once.
void prepare_copy_folder(Run& run) {
  run.run_command("dir /b *.  > " + kScratchListing);
  if (folder_listed(run, kScratchListing, kOccurrenceCopies)) {
    run.run_command("dir > " + kOccurrenceCopies + "\\" + kClearingFile);
    run.run_command("del /q " + kOccurrenceCopies + "\\*.txt > " + kSink);
  } else {
    run.run_command("md " + kOccurrenceCopies + " > " + kSink);
  }
}

void write_occurrence_copy(Run& run, const WordTable& table, int group) {
  FileTable& files = run.files;
  int out = files.free_file_number();
  files.open_output(kOccurrenceCopies + "\\" + group_next_pages(group), out);
  std::pair<size_t, size_t> range = table.group_range(group);
  std::string records;
  for (size_t i = range.first; i < range.second; ++i) {
    const Occurrence& o = table.occurrences[i];
    records += '"';
    records += table.linked_pages[o.page];
    records += "\",\"";
    append_right_aligned(&records, o.line, 10);
    records += "\",\"";
    append_right_aligned(&records, o.start, 6);
    records += "\",\"";
    records.append(table.text, o.word_at, o.word_size);
    records += "\",\"";
    append_word_id(&records, o.id);
    records += "\",\"";
    append_number(&records, o.number);
    records += "\",\"";
    if (o.next_page >= 0) records += table.linked_pages[static_cast<size_t>(o.next_page)];
    records += "\"\r\n";
    if (records.size() >= 1 << 16) {
      files.print_text(out, records);
      records.clear();
    }
  }
  files.print_text(out, records);
  files.close_file(out);
}

void annotate_group_pages(Run& run, const WordTable& table, int group, PageLinks* links) {
  GroupRewriter rewriter(run, table, group, links);
  std::pair<size_t, size_t> range = table.group_range(group);
  for (size_t i = range.first; i < range.second; ++i) rewriter.Add(table.occurrences[i]);
  rewriter.Finish();
}

}  // namespace quillon
