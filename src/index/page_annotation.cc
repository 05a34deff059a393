#include "index/page_annotation.h"

#include <algorithm>
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
      : run_(run), files_(run.files), table_(table), group_(group), links_(links) {}

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
  void WriteNavigator(const Occurrence& o, const std::string& id);
  void LookUpNeighbours();

  Run& run_;
  FileTable& files_;
  const WordTable& table_;
  int group_;
  PageLinks* links_;
  std::string page_, output_;
  int in_ = 0, out_ = 0;
  long lines_read_ = 0;
  std::string current_;
  long previous_start_ = 0, previous_length_ = 0;
  bool body_found_ = false;
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
  if (previous_start_ > 0 && (page != page_ || o.line != lines_read_)) WriteRest();
  if (page != page_) {
    FinishPage();
    ReplacePage();
    OpenPage(page);
  }
  ReadThrough(o.line);
  long start = o.start;
  long gap = previous_start_ == 0 ? start - 1 : start - previous_start_ - previous_length_;
  long from = previous_start_ == 0 ? 1 : previous_start_ + previous_length_;
  files_.print_line(out_, substring(current_, from, gap));
  std::string id = word_id_text(o.id);
  std::string word = table_.word(o);
  files_.print_line(
      out_, "<span id=\"" + id + "\" type = \"text/javascript\"ondblclick = \"window.open('" +
                page + "#" + id + "'); window.event.cancelbubble = true;\">" + word + "</span>");
  if (word != "Pages_list") WriteNavigator(o, id);
  previous_start_ = start;
  previous_length_ = text_length(word);
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
  auto at = std::find(pages.begin(), pages.end(), page_);
  if (at == pages.end()) return;
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

void GroupRewriter::WriteNavigator(const Occurrence& o, const std::string& id) {
  long number = o.number;
  std::string number_item = number_text(number);
  files_.print_line(out_, "<span hidden id=\"" + id + "\">");
  std::string link = number < static_cast<long>(o.last_on_page)
                         ? "(<a href=\"#" + id + "_" + number_text(number + 1) + "\">&gt;</a>,"
                         : "(<a href=\"#" + id + "_" + number_text(number) + "\"></a>";
  files_.print_line(out_, "(" + number_item + ")" + link);
  files_.print_line(out_, "<a href=\"" + group_index_page(group_) + "#" + id + "\">i</a>,");
  files_.print_line(
      out_, "<a href=\"" + group_search_page(group_) + "#" + id + "_" + number_item + "\">s</a>,");
  if (o.next_page < 0) {
    files_.print_line(out_, "<a href=\"files_list.htm\">c)</a></span>");
  } else {
    files_.print_line(out_, "<a href=\"files_list.htm\">c</a>,");
    files_.print_line(out_, "<a href=\"" + table_.linked_pages[static_cast<size_t>(o.next_page)] +
                                "#" + id + "\">&gt;&gt;)</a></span>");
  }
  files_.print_line(out_, "<span id=\"" + id + "_" + number_item + "\"></span>");
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
  std::string record;
  for (size_t i = range.first; i < range.second; ++i) {
    const Occurrence& o = table.occurrences[i];
    record = "\"" + table.linked_pages[o.page] + "\",\"" + right_aligned(o.line, 10) + "\",\"" +
             right_aligned(o.start, 6) + "\",\"" + table.word(o) + "\",\"" + word_id_text(o.id) +
             "\",\"" + number_text(o.number) + "\",\"" +
             (o.next_page < 0 ? "" : table.linked_pages[static_cast<size_t>(o.next_page)]) + "\"";
    files.print_line(out, record);
  }
  files.close_file(out);
}

void annotate_group_pages(Run& run, const WordTable& table, int group, PageLinks* links) {
  GroupRewriter rewriter(run, table, group, links);
  std::pair<size_t, size_t> range = table.group_range(group);
  for (size_t i = range.first; i < range.second; ++i) rewriter.Add(table.occurrences[i]);
  rewriter.Finish();
}

}  // namespace quillon
