#include "index/page_parts.h"

#include "base/text.h"
#include "run/product.h"

namespace quillon {

void write_common_head(Run& run, int file) {
  FileTable& files = run.files;
  const char* fixed[] = {"<html>", "<br>", "<head>", "<br>"};
  for (const char* line : fixed) files.print_line(file, line);
  files.print_line(file, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
  files.print_line(file, "<br>");
  files.print_line(file, "<title>index of key words</title>");
  const char* body[] = {
      "<br>", "</head>", "<br>", "<body>", "<br>", "QUICK AND EASY INFORMATION SEARCH", "<br>"};
  for (const char* line : body) files.print_line(file, line);
  files.print_line(file,
                   "We offer users a fast and efficient way to search for information in input "
                   "files, and they can also continue their search with the help of "
                   "program-defined Google search phrases.");
  files.print_line(file, "<br>");
  files.print_line(file,
                   "Just double-clicking on any word is enough to access the index of all words.");
  const char* details[] = {"<br>", "<br>", "Details:", "<br>"};
  for (const char* line : details) files.print_line(file, line);
  files.print_line(file,
                   std::string("<a href=\"") + kProductAddress + "\">" + kProductAddress + "</a>");
  files.print_line(file, "<br><br>");
  files.print_line(file, "Date (mm-dd-yy) = " + date_text() + "<br>");
  files.print_line(file, "Time (h:m:s)    = " + time_text() + "<br>");
}

void write_highlight_script(Run& run, int file) {
  FileTable& files = run.files;
  files.print_line(file, "<script language=\"javascript\">");
  files.print_line(file, "if (history.length > 0)");
  files.print_line(file, "{");
  files.print_line(file, "document.writeln(\"<style type=\\\"text/css\\\">\");");
  files.print_line(file, std::string("document.writeln(self.location.hash + \" { color: ") +
                             kHighlightColor + " } \");");
  files.print_line(file, std::string("document.writeln(self.location.hash + \" { font-size: ") +
                             kHighlightSize + " } \");");
  files.print_line(file, "document.writeln(self.location.hash + \" { font-weight: bold } \");");
  files.print_line(file, "document.writeln(self.location.hash + \" { display: inline } \");");
  files.print_line(file, "document.writeln(\"</style>\");");
  files.print_line(file, "}");
  files.print_line(file, "</script>");
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
