#include "index/page_parts.h"

#include <initializer_list>

#include "base/paths.h"
#include "base/text.h"
#include "run/product.h"
#include "run/work_files.h"

namespace quillon {

namespace {

// Lines ended by CR LF, as print_line writes them.
std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace

std::string PageWork::read_whole(const std::string& name) {
  text.clear();
  std::string path;
  DirEntry entry;
  if (!resolve_path(disk, name, &path) || !disk.stat(path, &entry)) {
    failures->note(DiskAction::kRead, name, DiskError::kNotFound);
    return path;
  }
  std::unique_ptr<InputFile> in;
  if (!entry.is_file()) {
    failures->note(DiskAction::kRead, name, DiskError::kNotRegular);
  } else if (!(in = disk.open_read(path))) {
    failures->note(DiskAction::kRead, name, disk.last_error());
  } else {
    text.resize(static_cast<size_t>(entry.size) + 1);
    size_t got = 0;
    // One more byte than the size asked for shows a file that grew.
    for (long n; (n = in->read(&text[got], text.size() - got)) != 0;) {
      if (n < 0) {
        failures->note(DiskAction::kRead, name, in->error());
        break;
      }
      got += static_cast<size_t>(n);
      if (got == text.size()) text.resize(2 * got);
    }
    text.resize(got);
  }
  return path;
}

std::vector<std::string> word_index_page_names(const WordTable& table) {
  std::vector<std::string> names;
  for (size_t page = 0; page <= table.index_page_starts.size(); ++page) {
    names.push_back(work_files::word_index_page(static_cast<int>(page) + 1));
  }
  return names;
}

std::string common_head_text() {
  return Lines({"<html>",
                "<br>",
                "<head>",
                "<br>",
                "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
                "<br>",
                "<title>index of key words</title>",
                "<br>",
                "</head>",
                "<br>",
                "<body>",
                "<br>",
                "QUICK AND EASY INFORMATION SEARCH",
                "<br>",
                "We offer users a fast and efficient way to search for information in input "
                "files, and they can also continue their search with the help of "
                "program-defined Google search phrases.",
                "<br>",
                "Just double-clicking on any word is enough to access the index of all words.",
                "<br>",
                "<br>",
                "Details:",
                "<br>",
                std::string("<a href=\"") + kProductAddress + "\">" + kProductAddress + "</a>",
                "<br><br>",
                "Date (mm-dd-yy) = " + date_text() + "<br>",
                "Time (h:m:s)    = " + time_text() + "<br>"});
}

const std::string& highlight_script_text() {
  static const std::string text =
      Lines({"<script language=\"javascript\">", "if (history.length > 0)", "{",
             "document.writeln(\"<style type=\\\"text/css\\\">\");",
             std::string("document.writeln(self.location.hash + \" { color: ") + kHighlightColor +
                 " } \");",
             std::string("document.writeln(self.location.hash + \" { font-size: ") +
                 kHighlightSize + " } \");",
             "document.writeln(self.location.hash + \" { font-weight: bold } \");",
             "document.writeln(self.location.hash + \" { display: inline } \");",
             "document.writeln(\"</style>\");", "}", "</script>"});
  return text;
}

void write_common_head(Run& run, int file) {
  run.files.print_text(file, common_head_text());
}

void write_highlight_script(Run& run, int file) {
  run.files.print_text(file, highlight_script_text());
}

bool tag_opens(const std::string& line, long q) {
  long first = find_text(1, line, "<");
  if (first < 1 || q < 1 || first >= q) return false;
  long r = find_text(q - 1, line, "<");
  if (r == 0) {
    size_t before = q >= 3 ? line.rfind('<', static_cast<size_t>(q - 3)) : std::string::npos;
    r = before == std::string::npos ? 0 : static_cast<long>(before) + 1;
  }
  if (r == q - 1) return true;
  if (r < 1 || r > q - 1) return false;
  for (long i = r + 1; i < q; ++i) {
    if (line[static_cast<size_t>(i - 1)] != ' ') return false;
  }
  return true;
}

std::string word_id_text(long long number) {
  std::string id;
  append_word_id(&id, static_cast<uint64_t>(number));
  return id;
}

namespace {

// The digits of `value` at the end of `buffer`; gives where they start.
char* Digits(uint64_t value, char* end) {
  do {
    *--end = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  return end;
}

}  // namespace

void append_number(std::string* out, uint64_t value) {
  char buffer[20];
  char* end = buffer + sizeof buffer;
  out->append(Digits(value, end), end);
}

void append_right_aligned(std::string* out, uint64_t value, size_t width) {
  char buffer[20];
  char* end = buffer + sizeof buffer;
  char* start = Digits(value, end);
  size_t digits = static_cast<size_t>(end - start);
  if (digits < width) out->append(width - digits, ' ');
  out->append(start, end);
}

void append_word_id(std::string* out, uint64_t number) {
  *out += "id";
  char buffer[20];
  char* end = buffer + sizeof buffer;
  char* start = Digits(number, end);
  size_t digits = static_cast<size_t>(end - start);
  if (digits < 8) out->append(8 - digits, '0');
  out->append(start, end);
}

}  // namespace quillon
