#include "compare/comparison_page.h"

#include <algorithm>

#include "base/paths.h"
#include "base/verified_copy.h"
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
// The longest row of a part, well within the start positions that the index
// takes words from (a six-digit field), whatever size a part is given.
const long long kLongestRow = 500000;

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
  any_key_end(run.console, run.failures, "<...> any key to continue and end");
}

// One working copy read line by line, with the byte offset of the next line.
struct Source {
  int file = 0;
  long long offset = 0;
  bool pending = false;  // `line` was read and not yet written whole.
  size_t written = 0;    // Bytes of `line` already written.
  bool markup = false;   // Its lines go to the page as markup, not as text.
  std::string line;
};

// Only the text twin of an HTML input, made in this run, is markup: named
// after it and holding its very bytes. A person's own text under such a name
// (a.TXT beside a.htm, an a.txt kept at the overwrite question) is text.
bool MadeFromHtml(Run& run, const std::string& name, const std::set<std::string>& html_twins) {
  long marker = find_marker(name, ".txt");
  if (marker == 0) return false;
  std::string twin = left_text(name, marker - 1) + ".txt";
  std::string copy, made;
  return html_twins.count(twin) > 0 && resolve_path(run.disk, kTextWork + "\\" + name, &copy) &&
         resolve_path(run.disk, twin, &made) && same_bytes(run.disk, copy, made);
}

// A working copy that txt_wrk.list names.
struct Listed {
  std::string name;
  bool markup = false;
};

void OpenSource(Run& run, const Listed& listed, Source* source) {
  source->file = run.files.free_file_number();
  run.files.open_input(kTextWork + "\\" + listed.name, source->file);
  source->offset = 0;
  source->pending = false;
  source->markup = listed.markup;
}

// Where a piece of at most `piece` bytes of `rest` ends: at its last blank,
// so that no word is cut, or at `piece` when it holds none. In markup only a
// blank outside a tag will do, so that no row begins inside one; a tag longer
// than a piece is then cut at the blank after it.
size_t PieceEnd(const std::string& rest, size_t from, size_t piece, bool markup) {
  if (!markup) {
    size_t blank = rest.rfind(' ', from + piece);
    if (blank != std::string::npos && blank > from) return blank;
    // No blank: cut between letters, never inside one.
    size_t end = from + piece;
    while (end > from + 1 && (static_cast<unsigned char>(rest[end]) & 0xC0) == 0x80) --end;
    return end;
  }
  size_t end = std::string::npos;
  bool in_tag = false;
  for (size_t i = from; i < rest.size() && (i < from + piece || end == std::string::npos); ++i) {
    char c = rest[i];
    if (c == '<') in_tag = true;
    if (c == '>') in_tag = false;
    if (c == ' ' && !in_tag && i > from) {
      end = i;
      if (i >= from + piece) break;
    }
  }
  return end == std::string::npos ? rest.size() : end;
}

void WriteCellLine(Run& run, int page, const Source& source, const std::string& piece) {
  const std::string text = trim_blanks(piece);
  run.files.print_line(page, " <br>" + (source.markup ? text : escape_markup(text)));
}

// Writes the lines of `source` that start before `limit` as cell lines. A
// line longer than `piece` bytes (when it is not 0) is written a piece at a
// time, each a row of its own that counts as a line starting where it
// starts: a line of megabytes runs on through consecutive parts.
void WriteCellLines(Run& run, int page, Source* source, long long limit, size_t piece = 0) {
  while (source->offset < limit) {
    if (!source->pending) {
      if (run.files.end_of_file(source->file)) return;
      source->line.clear();
      run.files.read_line(source->file, &source->line);
      source->pending = true;
      source->written = 0;
    }
    const std::string& line = source->line;
    size_t from = source->written;
    if (piece > 0 && line.size() - from > piece) {
      size_t end = PieceEnd(line, from, piece, source->markup);
      if (end < line.size()) {
        WriteCellLine(run, page, *source, line.substr(from, end - from));
        source->written = end;
        source->offset += static_cast<long long>(end - from);
        continue;
      }
    }
    WriteCellLine(run, page, *source, from == 0 ? line : line.substr(from));
    source->offset += static_cast<long long>(line.size() - from) + 1;
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
  OpenSource(run, {name}, &source);
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
// before its share of each file; a line longer than a part goes on in rows
// of the parts that follow.
long WriteParts(Run& run, const std::string& table_width, const Listed (&files)[2], long parts,
                size_t piece) {
  long long left_bytes = TextBytes(run, files[0].name), right_bytes = TextBytes(run, files[1].name);
  Source sources[2];
  for (int i = 0; i < 2; ++i) OpenSource(run, files[i], &sources[i]);
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
    WriteCellLines(run, page, &sources[0], left_limit, piece);
    run.files.print_line(page, "</td>");
    run.files.print_line(page, "<td>");
    run.files.print_line(page, "<td>");
    WriteCellLines(run, page, &sources[1], right_limit, piece);
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

ComparisonPages write_comparison_page(Run& run, const std::string& table_width, long part_size,
                                      const std::set<std::string>& html_twins) {
  int listing = run.files.free_file_number();
  run.files.open_input(kWorkingCopyList, listing);
  Listed files[2];
  files[0].name = NextListedFile(run, listing);
  files[0].markup = MadeFromHtml(run, files[0].name, html_twins);
  // The page goes straight to where the index takes it up: a copy in the
  // run's folder would be deleted unread when the pages are prepared.
  const std::string whole = kHtmlWork + "\\" + kComparePage;
  int page = run.files.free_file_number();
  run.files.open_output(whole, page);
  WriteHead(run, page, table_width);
  Source source;
  OpenSource(run, files[0], &source);
  WriteCellLines(run, page, &source, kWholeFile);
  run.files.close_file(source.file);
  run.files.print_line(page, "</td>");
  files[1].name = NextListedFile(run, listing);
  files[1].markup = MadeFromHtml(run, files[1].name, html_twins);
  run.files.print_line(page, "<td>");
  run.files.print_line(page, "<td>");
  OpenSource(run, files[1], &source);
  WriteCellLines(run, page, &source, kWholeFile);
  run.files.close_file(source.file);
  for (const char* line : kTail) run.files.print_line(page, line);
  run.files.close_file(listing);
  run.files.close_file(page);
  ComparisonPages pages;
  pages.whole_page_folder = kHtmlWork;
  pages.left_copy = files[0].name;
  pages.right_copy = files[1].name;
  long long size = part_size > 0 ? FileSize(run, whole) : 0;
  if (size > part_size) {
    // The parts are indexed instead, and the whole page waits for delivery
    // where the index does not take it up.
    size_t piece = static_cast<size_t>(std::min<long long>(part_size, kLongestRow));
    pages.parts = WriteParts(run, table_width, files, (size + part_size - 1) / part_size, piece);
    pages.whole_page_folder = kTextWork;
    MovePage(run, whole, kTextWork + "\\" + kComparePage);
  }
  return pages;
}

}  // namespace quillon
