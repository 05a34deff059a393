#include "index/page_annotation.h"

#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "index/page_parts.h"
#include "index/record_io.h"
#include "run/work_files.h"
#include "run/work_folders.h"

namespace quillon {

namespace {

using namespace work_files;

// One occurrence of wrd_24_[g].txt.
struct Occurrence {
  std::string page, word, id, number_item, next_page;
  long line = 0;
  long start = 0;
};

class GroupRewriter {
 public:
  GroupRewriter(Run& run, int group, const WordFileIndex& index, PageLinks* links)
      : run_(run), files_(run.files), group_(group), index_(index), links_(links) {}

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
  void WriteNavigator(const Occurrence& o);
  long LastOccurrenceOnPage(const std::string& id);
  void LookUpNeighbours();

  Run& run_;
  FileTable& files_;
  int group_;
  const WordFileIndex& index_;
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
  in_ = open_for_input(files_, page_);
  lines_read_ = 0;
  previous_start_ = 0;
  body_found_ = false;
  out_ = open_for_output(files_, output_);
}

// The copies of pages as they were, which the straightforward procedure
// makes before rewriting them, are never read, so they are not made.
void GroupRewriter::Add(const Occurrence& o) {
  if (page_.empty()) OpenPage(o.page);
  if (previous_start_ > 0 && (o.page != page_ || o.line != lines_read_)) WriteRest();
  if (o.page != page_) {
    FinishPage();
    ReplacePage();
    OpenPage(o.page);
  }
  ReadThrough(o.line);
  long gap = previous_start_ == 0 ? o.start - 1 : o.start - previous_start_ - previous_length_;
  long from = previous_start_ == 0 ? 1 : previous_start_ + previous_length_;
  files_.print_line(out_, substring(current_, from, gap));
  files_.print_line(out_, "<span id=\"" + o.id +
                              "\" type = \"text/javascript\"ondblclick = \"window.open('" + o.page +
                              "#" + o.id + "'); window.event.cancelbubble = true;\">" + o.word +
                              "</span>");
  if (o.word != "Pages_list") WriteNavigator(o);
  previous_start_ = o.start;
  previous_length_ = text_length(o.word);
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

void GroupRewriter::LookUpNeighbours() {
  int in = open_for_input(files_, kPagesWithWordsSorted);
  std::string wanted = to_lower(page_);
  std::string line;
  long matched = 0;
  for (long i = 1; !files_.end_of_file(in); ++i) {
    files_.read_line(in, &line);
    if (to_lower(line) != wanted) continue;
    matched = i;
    files_.read_line(in, &line);
    links_->next = to_lower(line);
    break;
  }
  if (matched > 1) {
    files_.rewind_file(in);
    for (long i = 1; i < matched; ++i) files_.read_line(in, &line);
    links_->before = to_lower(line);
  }
  files_.close_file(in);
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

// The number of lines of the word's file read until the first run of lines
// holding the page has ended: the number of the word's last occurrence there.
long GroupRewriter::LastOccurrenceOnPage(const std::string& id) {
  return index_.LinesThroughPage(id, page_);
}

void GroupRewriter::WriteNavigator(const Occurrence& o) {
  const std::string& id = o.id;
  long number = static_cast<long>(text_to_number(o.number_item));
  files_.print_line(out_, "<span hidden id=\"" + id + "\">");
  std::string link = number < LastOccurrenceOnPage(id)
                         ? "(<a href=\"#" + id + "_" + number_text(number + 1) + "\">&gt;</a>,"
                         : "(<a href=\"#" + id + "_" + number_text(number) + "\"></a>";
  files_.print_line(out_, "(" + o.number_item + ")" + link);
  files_.print_line(out_, "<a href=\"" + group_index_page(group_) + "#" + id + "\">i</a>,");
  files_.print_line(out_, "<a href=\"" + group_search_page(group_) + "#" + id + "_" +
                              o.number_item + "\">s</a>,");
  if (o.next_page.empty()) {
    files_.print_line(out_, "<a href=\"files_list.htm\">c)</a></span>");
  } else {
    files_.print_line(out_, "<a href=\"files_list.htm\">c</a>,");
    files_.print_line(out_, "<a href=\"" + o.next_page + "#" + id + "\">&gt;&gt;)</a></span>");
  }
  files_.print_line(out_, "<span id=\"" + id + "_" + o.number_item + "\"></span>");
}

}  // namespace

bool is_body_line(const std::string& line) {
  return tag_opens(line, find_text(1, to_lower(line), "body"));
}

// The straightforward procedure copies the files back from the folder, which
// gives the run's folder the same bytes again.
void prepare_copy_folder(Run& run) {
  run.run_command("dir /b *.  > " + kScratchListing);
  if (folder_listed(run, kScratchListing, kOccurrenceCopies)) {
    run.run_command("dir > " + kOccurrenceCopies + "\\" + kClearingFile);
    run.run_command("del /q " + kOccurrenceCopies + "\\*.txt > " + kSink);
  } else {
    run.run_command("md " + kOccurrenceCopies + " > " + kSink);
  }
  run.run_command("copy wrd_24*.txt " + kOccurrenceCopies + "\\ > " + kSink);
}

void annotate_group_pages(Run& run, int group, const WordFileIndex& index, PageLinks* links) {
  FileTable& files = run.files;
  int in = open_for_input(files, group_next_pages(group));
  GroupRewriter rewriter(run, group, index, links);
  std::vector<std::string> r;
  while (!files.end_of_file(in)) {
    read_items(files, in, 7, &r);
    Occurrence o;
    o.page = r[0];
    o.line = static_cast<long>(text_to_number(r[1]));
    o.start = static_cast<long>(text_to_number(r[2]));
    o.word = r[3];
    o.id = r[4];
    o.number_item = r[5];
    o.next_page = r[6];
    rewriter.Add(o);
  }
  files.close_file(in);
  rewriter.Finish();
}

}  // namespace quillon
