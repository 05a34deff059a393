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

const std::string kHead[] = {
    "<HTML>",
    "<head>",
    "<meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">",
    "<title>",
    kComparePage,
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
std::string NextListedFile(TableFile& listing, Console& console, const FailureLog& failures) {
  std::string line;
  listing.next_line(&line);
  if (find_marker(line, kTextExtension) > 0) return trim_blanks(line);
  console.print_line();
  console.print_line(kSeparator);
  console.print_line("Check the contents of the txt_wrk subfolder.");
  console.print_line("Must contain a 2 *.txt file.");
  console.print_line();
  any_key_end(console, failures, "<...> any key to continue and end");
}

// One working copy read line by line, with the byte offset of the next line.
struct Source {
  TableFile file;
  long long offset = 0;
  bool pending = false;  // `line` was read and not yet written whole.
  size_t written = 0;    // Bytes of `line` already written.
  bool markup = false;   // Its lines go to the page as markup, not as text.
  std::string line;
};

// Only the text twin of an HTML input, made in this run, is markup: named
// after it and holding its very bytes. A person's own text under such a name
// (a.TXT beside a.htm, an a.txt kept at the overwrite question) is text.
bool MadeFromHtml(Disk& disk, const std::string& name, const std::set<std::string>& html_twins) {
  long marker = find_marker(name, kTextExtension);
  if (marker == 0) return false;
  std::string twin = left_text(name, marker - 1) + kTextExtension;
  std::string copy, made;
  return html_twins.count(twin) > 0 && resolve_path(disk, in_folder(kTextWork, name), &copy) &&
         resolve_path(disk, twin, &made) && same_bytes(disk, copy, made);
}

// A working copy that txt_wrk.list names.
struct Listed {
  std::string name;
  bool markup = false;
};

// The next of the two names of the listing, and whether it is markup.
Listed NextListed(TableFile& listing, Console& console, const FailureLog& failures, Disk& disk,
                  const std::set<std::string>& html_twins) {
  Listed listed;
  listed.name = NextListedFile(listing, console, failures);
  listed.markup = MadeFromHtml(disk, listed.name, html_twins);
  return listed;
}

// The source is closed before it opens again, so that it takes the same
// file number.
void OpenSource(FileTable& files, const Listed& listed, Source* source) {
  source->file.close();
  source->file = files.input(in_folder(kTextWork, listed.name));
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

void WriteCellLine(TableFile& page, const Source& source, const std::string& piece) {
  const std::string text = trim_blanks(piece);
  page.print_line(" <br>" + (source.markup ? text : escape_markup(text)));
}

// Writes the lines of `source` that start before `limit` as cell lines. A
// line longer than `piece` bytes (when it is not 0) is written a piece at a
// time, each a row of its own that counts as a line starting where it
// starts: a line of megabytes runs on through consecutive parts.
void WriteCellLines(TableFile& page, Source* source, long long limit, size_t piece = 0) {
  while (source->offset < limit) {
    if (!source->pending) {
      if (!source->file.next_line(&source->line)) return;
      source->pending = true;
      source->written = 0;
    }
    const std::string& line = source->line;
    size_t from = source->written;
    if (piece > 0 && line.size() - from > piece) {
      size_t end = PieceEnd(line, from, piece, source->markup);
      if (end < line.size()) {
        WriteCellLine(page, *source, line.substr(from, end - from));
        source->written = end;
        source->offset += static_cast<long long>(end - from);
        continue;
      }
    }
    WriteCellLine(page, *source, from == 0 ? line : line.substr(from));
    source->offset += static_cast<long long>(line.size() - from) + 1;
    source->pending = false;
  }
}

void WriteHead(TableFile& page, const std::string& table_width) {
  for (const std::string& line : kHead) page.print_line(line);
  page.print_line("<table style=\"width:" + table_width + "\">");
  // Cells start at the top, so a short file is not pushed down beside a long one.
  page.print_line("<tr valign=\"top\">");
  page.print_line("<td>");
}

// Between the left cell and the right one.
void WriteCellBreak(TableFile& page) {
  page.print_line("</td>");
  page.print_line("<td>");
  page.print_line("<td>");
}

void WriteTail(TableFile& page) {
  for (const char* line : kTail) page.print_line(line);
}

// The bytes of a working copy as its lines count them (a line end is one).
long long TextBytes(FileTable& files, const std::string& name) {
  TableFile in = files.input(in_folder(kTextWork, name));
  long long bytes = 0;
  for (std::string line; in.next_line(&line);) bytes += text_length(line) + 1;
  return bytes;
}

// The parts: the same page cut into slices that advance through both files
// together, each file in proportion to its length, so that a part shows
// corresponding regions of both. A part ends after the lines that start
// before its share of each file; a line longer than a part goes on in rows
// of the parts that follow.
long WriteParts(FileTable& files, const std::string& table_width, const Listed (&listed)[2],
                long parts, size_t piece) {
  long long left_bytes = TextBytes(files, listed[0].name);
  long long right_bytes = TextBytes(files, listed[1].name);
  Source sources[2];
  for (int i = 0; i < 2; ++i) OpenSource(files, listed[i], &sources[i]);
  std::string pad = page_number_pad_for(parts);
  long written = 0;
  for (long k = 1; k <= parts; ++k) {
    // Rounded up, so that a short file's lines start in the first parts.
    long long left_limit = (left_bytes * k + parts - 1) / parts;
    long long right_limit = (right_bytes * k + parts - 1) / parts;
    if (sources[0].offset >= left_limit && sources[1].offset >= right_limit) continue;
    TableFile page = files.output(in_folder(kHtmlWork, comparison_part(pad, ++written)));
    WriteHead(page, table_width);
    WriteCellLines(page, &sources[0], left_limit, piece);
    WriteCellBreak(page);
    WriteCellLines(page, &sources[1], right_limit, piece);
    WriteTail(page);
  }
  return written;
}

void MovePage(Disk& disk, FailureLog& failures, const std::string& from, const std::string& to) {
  std::string source, target;
  if (!resolve_path(disk, from, &source) || !resolve_for_writing(disk, to, &target) ||
      !disk.rename(source, target)) {
    failures.note(DiskAction::kRename, from, disk.last_error());
  }
}

long long FileSize(Disk& disk, const std::string& name) {
  std::string path;
  DirEntry entry;
  if (!resolve_path(disk, name, &path) || !disk.stat(path, &entry)) return 0;
  return static_cast<long long>(entry.size);
}

}  // namespace

ComparisonPages write_comparison_page(Run& run, const std::string& table_width, long part_size,
                                      const std::set<std::string>& html_twins) {
  TableFile listing = run.files.input(kWorkingCopyList);
  Listed listed[2];
  listed[0] = NextListed(listing, run.console, run.failures, run.disk, html_twins);
  // The page goes straight to where the index takes it up: a copy in the
  // run's folder would be deleted unread when the pages are prepared.
  const std::string whole = in_folder(kHtmlWork, kComparePage);
  TableFile page = run.files.output(whole);
  WriteHead(page, table_width);
  Source source;
  OpenSource(run.files, listed[0], &source);
  WriteCellLines(page, &source, kWholeFile);
  source.file.close();
  page.print_line("</td>");
  listed[1] = NextListed(listing, run.console, run.failures, run.disk, html_twins);
  page.print_line("<td>");
  page.print_line("<td>");
  OpenSource(run.files, listed[1], &source);
  WriteCellLines(page, &source, kWholeFile);
  source.file.close();
  WriteTail(page);
  listing.close();
  // Closed, so that its size is what it holds.
  page.close();
  ComparisonPages pages;
  pages.whole_page_folder = kHtmlWork;
  pages.left_copy = listed[0].name;
  pages.right_copy = listed[1].name;
  long long size = part_size > 0 ? FileSize(run.disk, whole) : 0;
  if (size > part_size) {
    // The parts are indexed instead, and the whole page waits for delivery
    // where the index does not take it up.
    size_t piece = static_cast<size_t>(std::min<long long>(part_size, kLongestRow));
    pages.parts =
        WriteParts(run.files, table_width, listed, (size + part_size - 1) / part_size, piece);
    pages.whole_page_folder = kTextWork;
    MovePage(run.disk, run.failures, whole, in_folder(kTextWork, kComparePage));
  }
  return pages;
}

}  // namespace quillon
