#include "compare/comparison_page.h"

#include "base/paths.h"
#include "run/clean_name.h"
#include "run/console_waits.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

const char* const kHead[] = {
    "<HTML>",
    "<head>",
    "<meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">",
    "<title>",
    "compare.htm",
    "</title>",
    "</head>",
    "<body>",
    "<br>",
    "<br><br>",
    // One line, split for width only.
    ("<b>Just double-clicking on any word is enough to access the index of all words (full-text "
     "search).</b>"),
};

const char* const kTail[] = {"</td>", "</tr>", "</table>", "<br>", "</body>", "</html>"};

const long long kWholeFile = 1LL << 62;

// Reads the next name of the listing; ends the run when it is no .txt file.
std::string NextListedFile(Run& run, int listing) {
  std::string line;
  run.files.read_line(listing, &line);
  if (find_marker(line, ".txt") > 0) return trim_blanks(line);
  run.print_line();
  run.print_line(kSeparator);
  run.print_line("Check the contents of the txt_wrk subfolder.");
  run.print_line("Must contain a 2 *.txt file.");
  run.print_line();
  any_key_end(run, "<...> any key to continue and end");
}

// One working copy read line by line, with the byte offset of the next line.
struct Source {
  int file = 0;
  long long offset = 0;
  bool pending = false;  // `line` was read and not yet written.
  std::string line;
};

void OpenSource(Run& run, const std::string& name, Source* source) {
  source->file = run.files.free_file_number();
  run.files.open_input(kTextWork + "\\" + name, source->file);
  source->offset = 0;
  source->pending = false;
}

// Writes the lines of `source` that start before `limit` as cell lines.
void WriteCellLines(Run& run, int page, Source* source, long long limit) {
  while (source->offset < limit) {
    if (!source->pending) {
      if (run.files.end_of_file(source->file)) return;
      source->line.clear();
      run.files.read_line(source->file, &source->line);
      source->pending = true;
    }
    run.files.print_line(page, " <br>" + trim_blanks(source->line));
    source->offset += text_length(source->line) + 1;
    source->pending = false;
  }
}

void WriteHead(Run& run, int page, const std::string& table_width) {
  for (const char* line : kHead) run.files.print_line(page, line);
  run.files.print_line(page, "<table style=\"width:" + table_width + "\">");
  // Cells start at the top, so a short file is not pushed down beside a long one.
  run.files.print_line(page, "<tr valign=\"top\">");
  run.files.print_line(page, "<td>");
}

// The bytes of a working copy as its lines count them (a line end is one).
long long TextBytes(Run& run, const std::string& name) {
  Source source;
  OpenSource(run, name, &source);
  long long bytes = 0;
  while (!run.files.end_of_file(source.file)) {
    run.files.read_line(source.file, &source.line);
    bytes += text_length(source.line) + 1;
  }
  run.files.close_file(source.file);
  return bytes;
}

// The parts: the same page cut into slices that advance through both files
// together, each file in proportion to its length, so that a part shows
// corresponding regions of both. A part ends after the lines that start
// before its share of each file, so a line longer than a part stays whole.
long WriteParts(Run& run, const std::string& table_width, const std::string& left,
                const std::string& right, long parts) {
  long long left_bytes = TextBytes(run, left), right_bytes = TextBytes(run, right);
  Source sources[2];
  OpenSource(run, left, &sources[0]);
  OpenSource(run, right, &sources[1]);
  std::string pad = page_number_pad_for(parts);
  long written = 0;
  for (long k = 1; k <= parts; ++k) {
    // Rounded up, so that a short file's lines start in the first parts.
    long long left_limit = (left_bytes * k + parts - 1) / parts;
    long long right_limit = (right_bytes * k + parts - 1) / parts;
    if (sources[0].offset >= left_limit && sources[1].offset >= right_limit) continue;
    int page = run.files.free_file_number();
    run.files.open_output(kHtmlWork + "\\" + comparison_part(pad, ++written), page);
    WriteHead(run, page, table_width);
    WriteCellLines(run, page, &sources[0], left_limit);
    run.files.print_line(page, "</td>");
    run.files.print_line(page, "<td>");
    run.files.print_line(page, "<td>");
    WriteCellLines(run, page, &sources[1], right_limit);
    for (const char* line : kTail) run.files.print_line(page, line);
    run.files.close_file(page);
  }
  for (Source& source : sources) run.files.close_file(source.file);
  return written;
}

void MovePage(Run& run, const std::string& from, const std::string& to) {
  std::string source, target;
  if (!resolve_path(run.disk, from, &source) || !resolve_for_writing(run.disk, to, &target) ||
      !run.disk.rename(source, target)) {
    run.failures.note(DiskAction::kRename, from, run.disk.last_error());
  }
}

long long FileSize(Run& run, const std::string& name) {
  std::string path;
  DirEntry entry;
  if (!resolve_path(run.disk, name, &path) || !run.disk.stat(path, &entry)) return 0;
  return static_cast<long long>(entry.size);
}

}  // namespace

ComparisonPages write_comparison_page(Run& run, const std::string& table_width, long part_size) {
  int listing = run.files.free_file_number();
  run.files.open_input(kWorkingCopyList, listing);
  std::string left = NextListedFile(run, listing);
  // The page goes straight to where the index takes it up: a copy in the
  // run's folder would be deleted unread when the pages are prepared.
  const std::string whole = kHtmlWork + "\\" + kComparePage;
  int page = run.files.free_file_number();
  run.files.open_output(whole, page);
  WriteHead(run, page, table_width);
  Source source;
  OpenSource(run, left, &source);
  WriteCellLines(run, page, &source, kWholeFile);
  run.files.close_file(source.file);
  run.files.print_line(page, "</td>");
  std::string right = NextListedFile(run, listing);
  run.files.print_line(page, "<td>");
  run.files.print_line(page, "<td>");
  OpenSource(run, right, &source);
  WriteCellLines(run, page, &source, kWholeFile);
  run.files.close_file(source.file);
  for (const char* line : kTail) run.files.print_line(page, line);
  run.files.close_file(listing);
  run.files.close_file(page);
  ComparisonPages pages;
  pages.whole_page_folder = kHtmlWork;
  pages.left_copy = left;
  pages.right_copy = right;
  long long size = part_size > 0 ? FileSize(run, whole) : 0;
  if (size > part_size) {
    // The parts are indexed instead, and the whole page waits for delivery
    // where the index does not take it up.
    pages.parts = WriteParts(run, table_width, left, right, (size + part_size - 1) / part_size);
    pages.whole_page_folder = kTextWork;
    MovePage(run, whole, kTextWork + "\\" + kComparePage);
  }
  return pages;
}

}  // namespace quillon
