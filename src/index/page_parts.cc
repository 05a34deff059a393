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
  std::string digits = number_text(number);
  return "id" + left_text("0000000000", 8 - text_length(digits)) + digits;
}

}  // namespace quillon
