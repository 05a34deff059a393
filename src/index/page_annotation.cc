#include "index/page_annotation.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "index/highlight_script.h"
#include "index/tag_names.h"
#include "run/work_files.h"
#include "run/work_folders.h"

namespace quillon {

namespace {

using namespace work_files;

class GroupRewriter {
 public:
  GroupRewriter(PageWork& work, const WordTable& table, int group, PageLinks* links)
      : work_(work),
        out_(work.out),
        table_(table),
        index_page_(group_index_page(group)),
        search_page_(group_search_page(group)),
        links_(links) {}

  void Add(const Occurrence& o);
  void Finish();

 private:
  void OpenPage(uint32_t page);
  void FinishPage();
  bool NextLine(std::string_view* line);
  void WriteRest();
  void ReadThrough(long line);
  void WriteHeadBlock();
  void WriteNavigationLinks();
  void AddNavigator(const Occurrence& o);
  void LookUpNeighbours();
  void PutId(const Occurrence& o) { out_.put_word_id(o.id); }

  PageWork& work_;
  BlockWriter& out_;
  const WordTable& table_;
  const std::string index_page_, search_page_;
  PageLinks* links_;
  int64_t page_ = -1;  // Into linked_pages.
  const std::string* page_name_ = nullptr;
  size_t read_at_ = 0;
  long lines_read_ = 0;
  std::string_view current_;
  long previous_start_ = 0, previous_length_ = 0;
  bool body_found_ = false;
};

// The page is read whole and written again under its own name: the copies
// the straightforward procedure makes on the way (the page as it was, and
// the page rewritten under another name) are never read, so they are not
// made.
void GroupRewriter::OpenPage(uint32_t page) {
  page_ = page;
  page_name_ = &table_.linked_pages[page];
  std::string path = work_.read_whole(*page_name_);
  read_at_ = 0;
  lines_read_ = 0;
  previous_start_ = 0;
  body_found_ = false;
  const std::string target = trim_blanks(*page_name_);
  if (target == *page_name_ && !path.empty()) {
    out_.open_path(work_.disk, path, target, work_.failures);
  } else {
    work_.open(target);
  }
}

// The next line of the page without its line end; false at the end.
bool GroupRewriter::NextLine(std::string_view* line) {
  const std::string& text = work_.text;
  if (read_at_ >= text.size()) return false;
  size_t lf = text.find('\n', read_at_);
  size_t end = lf == std::string::npos ? text.size() : lf;
  *line = std::string_view(text).substr(read_at_, end - read_at_);
  read_at_ = lf == std::string::npos ? text.size() : lf + 1;
  // A CR before the line feed, or as the very last byte, is no part of it.
  if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
  return true;
}

// `substring` on a view: at most `length` bytes from position `start` (from
// 1); a negative length runs to the end.
std::string_view Piece(std::string_view text, long start, long length) {
  long size = static_cast<long>(text.size());
  if (size == 0 || start < 1 || start > size || length == 0) return {};
  long available = size - start + 1;
  if (length < 0 || length > available) length = available;
  return text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length));
}

void GroupRewriter::Add(const Occurrence& o) {
  if (page_ < 0) OpenPage(o.page);
  if (previous_start_ > 0 && (o.page != page_ || static_cast<long>(o.line) != lines_read_)) {
    WriteRest();
  }
  if (o.page != page_) {
    FinishPage();
    OpenPage(o.page);
  }
  ReadThrough(o.line);
  long start = o.start;
  long gap = previous_start_ == 0 ? start - 1 : start - previous_start_ - previous_length_;
  long from = previous_start_ == 0 ? 1 : previous_start_ + previous_length_;
  std::string_view word(&table_.text[o.word_at], o.word_size);
  out_.put(Piece(current_, from, gap));
  out_.put("\r\n<span id=\"");
  PutId(o);
  out_.put("\" type = \"text/javascript\"ondblclick = \"window.open('");
  out_.put(*page_name_);
  out_.put('#');
  PutId(o);
  out_.put("'); window.event.cancelbubble = true;\">");
  out_.put(word);
  out_.put("</span>\r\n");
  if (word != "Pages_list") AddNavigator(o);
  previous_start_ = start;
  previous_length_ = o.word_size;
}

void GroupRewriter::Finish() {
  if (page_ < 0) return;
  if (previous_start_ > 0) WriteRest();
  FinishPage();
}

void GroupRewriter::WriteRest() {
  out_.line(Piece(current_, previous_start_ + previous_length_, -1));
  previous_start_ = 0;
}

void GroupRewriter::ReadThrough(long line) {
  while (lines_read_ < line) {
    if (!NextLine(&current_)) current_ = {};
    ++lines_read_;
    previous_start_ = 0;
    if (!body_found_ && is_body_line(std::string(current_))) {
      body_found_ = true;
      WriteHeadBlock();
    }
    if (lines_read_ < line) out_.line(current_);
  }
}

// Whether the line holds "</body>" in any letter case.
bool HoldsBodyEnd(std::string_view line) {
  const char body[] = "body";
  for (size_t at = line.find("</"); at != std::string_view::npos; at = line.find("</", at + 1)) {
    if (line.size() - at < 7 || line[at + 6] != '>') continue;
    size_t i = 0;
    // Only A-Z fold: (c | 0x20) is a lower-case letter for that letter alone.
    while (i < 4 && (line[at + 2 + i] | 0x20) == body[i]) ++i;
    if (i == 4) return true;
  }
  return false;
}

void GroupRewriter::FinishPage() {
  std::string_view line;
  while (NextLine(&line)) {
    ++lines_read_;
    if (HoldsBodyEnd(line)) {
      out_.line("<br>");
      WriteNavigationLinks();
    }
    out_.line(line);
  }
  out_.close();
}

void GroupRewriter::WriteHeadBlock() {
  out_.put(highlight_script_text());
  out_.line("<br>");
  WriteNavigationLinks();
}

// The pages before and after this one among the pages with words; at the
// first page the link before keeps what it was.
void GroupRewriter::LookUpNeighbours() {
  const std::vector<std::string>& pages = table_.sorted_pages;
  const std::string& name = *page_name_;
  auto at = std::lower_bound(
      pages.begin(), pages.end(), name,
      [](const std::string& a, const std::string& b) { return compare_text(a, b) < 0; });
  if (at == pages.end() || *at != name) return;
  links_->next = at + 1 == pages.end() ? "" : *(at + 1);
  if (at != pages.begin()) links_->before = *(at - 1);
}

void GroupRewriter::WriteNavigationLinks() {
  LookUpNeighbours();
  if (!links_->before.empty()) {
    out_.put("<a href=\"");
    out_.put(links_->before);
    out_.put("\"> Before </a> \r\n");
  }
  if (!links_->next.empty()) {
    out_.put("<a href=\"");
    out_.put(links_->next);
    out_.put("\"> Next </a> \r\n");
  }
  out_.put("<a href=\"");
  out_.put(kContentsPage);
  out_.put("\"> Content </a><br>\r\n");
}

void GroupRewriter::AddNavigator(const Occurrence& o) {
  BlockWriter& b = out_;
  b.put("<span hidden id=\"");
  PutId(o);
  b.put("\">\r\n(");
  b.put_number(o.number);
  b.put(")(<a href=\"#");
  PutId(o);
  b.put('_');
  if (o.number < o.last_on_page) {
    b.put_number(o.number + 1);
    b.put("\">&gt;</a>,\r\n");
  } else {
    b.put_number(o.number);
    b.put("\"></a>\r\n");
  }
  b.put("<a href=\"");
  b.put(index_page_);
  b.put('#');
  PutId(o);
  b.put("\">i</a>,\r\n<a href=\"");
  b.put(search_page_);
  b.put('#');
  PutId(o);
  b.put('_');
  b.put_number(o.number);
  b.put("\">s</a>,\r\n");
  b.put("<a href=\"");
  b.put(kContentsPage);
  if (o.next_page < 0) {
    b.put("\">c)</a></span>\r\n");
  } else {
    b.put("\">c</a>,\r\n<a href=\"");
    b.put(table_.linked_pages[static_cast<size_t>(o.next_page)]);
    b.put('#');
    PutId(o);
    b.put("\">&gt;&gt;)</a></span>\r\n");
  }
  b.put("<span id=\"");
  PutId(o);
  b.put('_');
  b.put_number(o.number);
  b.put("\"></span>\r\n");
}

}  // namespace

// The straightforward procedure writes the occurrence files in the folder,
// copies them here and back again; they are written here once.
void prepare_copy_folder(CommandLayer& commands, FileTable& files) {
  commands.run_command("dir /b " + kEveryFolder + " > " + kScratchListing);
  if (folder_listed(files, kScratchListing, kOccurrenceCopies)) {
    commands.run_command("dir > " + in_folder(kOccurrenceCopies, kClearingFile));
    commands.run_command("del /q " + in_folder(kOccurrenceCopies, kEveryTextFile) + " > " + kSink);
  } else {
    commands.run_command("md " + kOccurrenceCopies + " > " + kSink);
  }
}

void write_occurrence_copy(PageWork& work, const WordTable& table, int group) {
  BlockWriter& out = work.out;
  work.open(in_folder(kOccurrenceCopies, group_next_pages(group)));
  std::pair<size_t, size_t> range = table.group_range(group);
  for (size_t i = range.first; i < range.second; ++i) {
    const Occurrence& o = table.occurrences[i];
    out.put('"');
    out.put(table.linked_pages[o.page]);
    out.put("\",\"");
    out.put_right_aligned(o.line, 10);
    out.put("\",\"");
    out.put_right_aligned(o.start, 6);
    out.put("\",\"");
    out.put(&table.text[o.word_at], o.word_size);
    out.put("\",\"");
    out.put_word_id(o.id);
    out.put("\",\"");
    out.put_number(o.number);
    out.put("\",\"");
    if (o.next_page >= 0) out.put(table.linked_pages[static_cast<size_t>(o.next_page)]);
    out.put("\"\r\n");
  }
  out.close();
}

void annotate_group_pages(PageWork& work, const WordTable& table, int group, PageLinks* links) {
  GroupRewriter rewriter(work, table, group, links);
  std::pair<size_t, size_t> range = table.group_range(group);
  for (size_t i = range.first; i < range.second; ++i) rewriter.Add(table.occurrences[i]);
  rewriter.Finish();
}

}  // namespace quillon
