#include "compare/changes_pages.h"

#include <string_view>
#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "compare/line_alignment.h"
#include "run/clean_name.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

// Equal lines shown on either side of a change; a longer stretch of equal
// lines is folded, unless fewer than kFoldedAtLeast would be.
const size_t kContext = 3;
const size_t kFoldedAtLeast = 4;
// What a row adds to a page besides its text, to cut the parts by.
const long kRowBytes = 100;
// Written out whenever the page text reaches this.
const size_t kWriteAhead = 1 << 16;

const char kStyle[] =
    "<style>\r\n"
    "body{font-family:sans-serif;margin:.5em;line-height:1.35}\r\n"
    "h1{font-size:1.3em;margin:.3em 0}\r\n"
    "p{margin:.3em 0}\r\n"
    "table.d{width:100%;border-collapse:collapse;table-layout:fixed}\r\n"
    "col.n{width:3.5em}col.m{width:1.3em}\r\n"
    "th{text-align:left;border-bottom:1px solid #999;overflow-wrap:anywhere}\r\n"
    "td{vertical-align:top;height:1.35em;padding:0 .3em;white-space:pre-wrap;"
    "overflow-wrap:anywhere}\r\n"
    "td.n{text-align:right;color:#666}\r\n"
    "td.m{text-align:center;font-weight:bold}\r\n"
    "tr.c td{background:#fff6d5}tr.r td{background:#fde7e7}tr.a td{background:#e5f6e5}\r\n"
    "del{background:#f6b3b3;text-decoration:line-through}\r\n"
    "ins{background:#a9e4a9;text-decoration:underline}\r\n"
    "summary{color:#555;padding:.2em 0;cursor:pointer}\r\n"
    "@media print{body{margin:0;font-size:10pt}.links,.parts{display:none}"
    "tr{break-inside:avoid}}\r\n"
    "</style>\r\n";

const char kColumns[] =
    "<colgroup><col class=\"n\"><col><col class=\"m\"><col class=\"n\"><col></colgroup>\r\n";

// A working copy in memory, line by line as the comparison page reads it.
class Text {
 public:
  void Read(FileTable& files, const std::string& copy) {
    TableFile in = files.input(in_folder(kTextWork, copy));
    for (std::string line; in.next_line(&line);) {
      // A byte order mark is no part of the text; it would make the first
      // lines of two files differ for nothing to see.
      bool marked = ends_.empty() && line.compare(0, 3, "\xEF\xBB\xBF") == 0;
      bytes_.append(line, marked ? 3 : 0, std::string::npos);
      ends_.push_back(bytes_.size());
    }
  }

  std::vector<std::string_view> Lines() const {
    std::vector<std::string_view> lines;
    lines.reserve(ends_.size());
    for (size_t i = 0; i < ends_.size(); ++i) lines.push_back(line(i));
    return lines;
  }

  std::string_view line(size_t i) const {
    size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }

  long size() const { return static_cast<long>(ends_.size()); }

 private:
  std::string bytes_;
  std::vector<size_t> ends_;
};

// The name in txt_in (which selection copied from compare_in) that the
// working copy was cleaned from.
std::string ChosenName(Disk& disk, const std::string& copy) {
  std::string folder;
  std::vector<DirEntry> entries;
  if (resolve_path(disk, kTextIn, &folder) && disk.read_dir(folder, &entries)) {
    for (const DirEntry& entry : entries) {
      NameParts parts = working_copy_name_parts(entry.name);
      if (entry.is_file() && parts.marker > 0 && clean_name(parts) == copy) return entry.name;
    }
  }
  return copy;
}

struct Counts {
  long equal = 0, changed = 0, removed = 0, added = 0;
};

// "87.5%": twice the equal lines over all lines, cut (not rounded) to one
// decimal, so that only the same lines show 100%.
std::string Similarity(const Counts& c, long lines) {
  long long permille = lines == 0 ? 1000 : 2000LL * c.equal / lines;
  return number_text(permille / 10) + "." + number_text(permille % 10) + "%";
}

class ChangesWriter {
 public:
  ChangesWriter(FileTable& files, Disk& disk, const ChangesSource& source)
      : files_(files), source_(source) {
    left_.Read(files, source.left_copy);
    right_.Read(files, source.right_copy);
    left_name_ = escape_markup(source.left_name.empty() ? ChosenName(disk, source.left_copy)
                                                        : source.left_name);
    right_name_ = escape_markup(source.right_name.empty() ? ChosenName(disk, source.right_copy)
                                                          : source.right_name);
    rows_ = align_lines(left_.Lines(), right_.Lines());
    for (const AlignedRow& row : rows_) {
      long& count = row.kind == RowKind::kEqual     ? counts_.equal
                    : row.kind == RowKind::kChanged ? counts_.changed
                    : row.kind == RowKind::kRemoved ? counts_.removed
                                                    : counts_.added;
      ++count;
    }
  }

  long Write() {
    std::vector<size_t> starts = PartStarts();
    const long parts = static_cast<long>(starts.size());
    starts.push_back(rows_.size());
    for (long part = 1; part <= parts; ++part) {
      TableFile page = files_.output(in_folder(kTextWork, changes_page(part)));
      WriteHead(part, parts);
      WriteRows(starts[static_cast<size_t>(part - 1)], starts[static_cast<size_t>(part)], page);
      CloseTable();
      WritePartLinks(part, parts);
      out_ += "</body>\r\n</html>\r\n";
      page.print_text(out_);
      out_.clear();
    }
    return parts;
  }

 private:
  long RowBytes(const AlignedRow& row) const {
    size_t text = (row.left >= 0 ? left_.line(static_cast<size_t>(row.left)).size() : 0) +
                  (row.right >= 0 ? right_.line(static_cast<size_t>(row.right)).size() : 0);
    return kRowBytes + static_cast<long>(text);
  }

  // The first row of every part; always one part, if an empty one.
  std::vector<size_t> PartStarts() const {
    std::vector<size_t> starts = {0};
    long bytes = 0;
    for (size_t r = 0; r < rows_.size(); ++r) {
      long row = RowBytes(rows_[r]);
      if (source_.part_size > 0 && bytes > 0 && bytes + row > source_.part_size) {
        starts.push_back(r);
        bytes = 0;
      }
      bytes += row;
    }
    return starts;
  }

  void WriteHead(long part, long parts) {
    std::string title = "Changes: " + left_name_ + " and " + right_name_;
    if (parts > 1) title += ", part " + number_text(part) + " of " + number_text(parts);
    out_ += "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n";
    out_ += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n";
    out_ += "<title>" + title + "</title>\r\n";
    out_ += kStyle;
    out_ += "</head>\r\n<body>\r\n";
    out_ += "<h1>Changes from " + left_name_ + " to " + right_name_ + "</h1>\r\n";
    out_ += "<p class=\"counts\">Lines equal: <b>" + number_text(counts_.equal) +
            "</b> &middot; changed pairs: <b>" + number_text(counts_.changed) +
            "</b> &middot; removed: <b>" + number_text(counts_.removed) +
            "</b> &middot; added: <b>" + number_text(counts_.added) +
            "</b> &middot; similarity: <b>" + Similarity(counts_, left_.size() + right_.size()) +
            "</b></p>\r\n";
    out_ += "<p>Similarity is twice the equal lines over the lines of both files: " + left_name_ +
            " has " + number_text(left_.size()) + ", " + right_name_ + " has " +
            number_text(right_.size()) + ".</p>\r\n";
    out_ += "<p class=\"links\"><a href=\"" + kWordIndexPage + "\">Index of all words</a>";
    out_ += " &middot; <a href=\"" + source_.first_page + "\">Indexed comparison</a>";
    out_ += " &middot; <a href=\"" + kComparePage + "\">Both files side by side</a></p>\r\n";
    WritePartLinks(part, parts);
    OpenTable();
    out_ += "<thead><tr><th colspan=\"2\">" + left_name_ + "</th><th></th><th colspan=\"2\">" +
            right_name_ + "</th></tr></thead>\r\n";
  }

  void WritePartLinks(long part, long parts) {
    if (parts == 1) return;
    out_ += "<p class=\"parts\">Part " + number_text(part) + " of " + number_text(parts);
    if (part > 1) out_ += " &middot; <a href=\"" + changes_page(part - 1) + "\">Before</a>";
    if (part < parts) out_ += " &middot; <a href=\"" + changes_page(part + 1) + "\">Next</a>";
    out_ += "</p>\r\n";
  }

  void OpenTable() {
    out_ += "<table class=\"d\">\r\n";
    out_ += kColumns;
    table_open_ = true;
  }

  void CloseTable() {
    if (table_open_) out_ += "</table>\r\n";
    table_open_ = false;
  }

  // Runs of equal rows keep a few lines of context next to a change and
  // fold the rest; at the start and the end of the texts no context is due.
  void WriteRows(size_t begin, size_t end, TableFile& page) {
    for (size_t r = begin; r < end;) {
      size_t run_end = r;
      while (run_end < end && rows_[run_end].kind == RowKind::kEqual) ++run_end;
      if (run_end == r) {
        WriteRow(rows_[r++], page);
        continue;
      }
      size_t lead = r == 0 ? 0 : kContext, trail = run_end == rows_.size() ? 0 : kContext;
      if (run_end - r >= lead + trail + kFoldedAtLeast) {
        for (size_t k = r; k < r + lead; ++k) WriteRow(rows_[k], page);
        Fold(r + lead, run_end - trail, page);
        r = run_end - trail;
      }
      for (; r < run_end; ++r) WriteRow(rows_[r], page);
    }
  }

  void Fold(size_t begin, size_t end, TableFile& page) {
    const AlignedRow& first = rows_[begin];
    const AlignedRow& last = rows_[end - 1];
    CloseTable();
    out_ += "<details><summary>" + number_text(static_cast<long>(end - begin)) + " equal lines (" +
            number_text(first.left + 1) + "&ndash;" + number_text(last.left + 1) + " and " +
            number_text(first.right + 1) + "&ndash;" + number_text(last.right + 1) +
            ")</summary>\r\n";
    OpenTable();
    for (size_t r = begin; r < end; ++r) WriteRow(rows_[r], page);
    CloseTable();
    out_ += "</details>\r\n";
  }

  void WriteRow(const AlignedRow& row, TableFile& page) {
    if (!table_open_) OpenTable();
    static const char* const kRowStart[] = {"<tr>", "<tr class=\"c\">", "<tr class=\"r\">",
                                            "<tr class=\"a\">"};
    static const char* const kGutter[] = {"", "|", "&lt;", "&gt;"};
    static const WordMarks kNoMarks;
    int kind = static_cast<int>(row.kind);
    const WordMarks& marks = row.kind != RowKind::kChanged
                                 ? kNoMarks
                                 : marker_.mark(left_.line(static_cast<size_t>(row.left)),
                                                right_.line(static_cast<size_t>(row.right)));
    out_ += kRowStart[kind];
    WriteSide(left_, row.left, marks.left, "<del>", "</del>");
    out_ += "<td class=\"m\">";
    out_ += kGutter[kind];
    out_ += "</td>";
    WriteSide(right_, row.right, marks.right, "<ins>", "</ins>");
    out_ += "</tr>\r\n";
    if (out_.size() >= kWriteAhead) {
      page.print_text(out_);
      out_.clear();
    }
  }

  // The line number and the line as text, its marked spans between `open`
  // and `close`.
  void WriteSide(const Text& text, long line, const std::vector<Span>& marks, const char* open,
                 const char* close) {
    if (line < 0) {
      out_ += "<td class=\"n\"></td><td></td>";
      return;
    }
    std::string_view shown = text.line(static_cast<size_t>(line));
    out_ += "<td class=\"n\">";
    out_ += number_text(line + 1);
    out_ += "</td><td>";
    size_t at = 0;
    for (const Span& mark : marks) {
      AddText(shown.substr(at, mark.begin - at));
      out_ += open;
      AddText(shown.substr(mark.begin, mark.end - mark.begin));
      out_ += close;
      at = mark.end;
    }
    AddText(shown.substr(at));
    out_ += "</td>";
  }

  // Most lines hold nothing a browser could take for markup, and go as they are.
  void AddText(std::string_view text) {
    for (char c : text) {
      if (c == '&' || c == '<' || c == '>') {
        out_ += escape_markup(std::string(text));
        return;
      }
    }
    out_ += text;
  }

  FileTable& files_;
  const ChangesSource& source_;
  Text left_, right_;
  std::string left_name_, right_name_;
  std::vector<AlignedRow> rows_;
  WordMarker marker_;
  Counts counts_;
  std::string out_;
  bool table_open_ = false;
};

}  // namespace

long write_changes_pages(Run& run, const ChangesSource& source) {
  return ChangesWriter(run.files, run.disk, source).Write();
}

void deliver_changes_pages(Run& run, long pages) {
  for (long part = 1; part <= pages; ++part) {
    std::string from = in_folder(kTextWork, changes_page(part));
    std::string source, target;
    if (!resolve_path(run.disk, from, &source) ||
        !resolve_for_writing(run.disk, in_folder(kHtmlOut, changes_page(part)), &target) ||
        !run.disk.rename(source, target)) {
      run.failures.note(DiskAction::kRename, from, run.disk.last_error());
    }
  }
}

}  // namespace quillon
