#include "compare/comparison_page.h"

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

void WriteCellLines(Run& run, int page, const std::string& name) {
  int in = run.files.free_file_number();
  run.files.open_input(kTextWork + "\\" + name, in);
  std::string line;
  while (!run.files.end_of_file(in)) {
    line.clear();
    run.files.read_line(in, &line);
    run.files.print_line(page, " <br>" + trim_blanks(line));
  }
  run.files.close_file(in);
}

}  // namespace

void write_comparison_page(Run& run, const std::string& table_width) {
  int listing = run.files.free_file_number();
  run.files.open_input(kWorkingCopyList, listing);
  std::string left = NextListedFile(run, listing);
  int page = run.files.free_file_number();
  run.files.open_output(kComparePage, page);
  for (const char* line : kHead) run.files.print_line(page, line);
  run.files.print_line(page, "<table style=\"width:" + table_width + "\">");
  // Cells start at the top, so a short file is not pushed down beside a long one.
  run.files.print_line(page, "<tr valign=\"top\">");
  run.files.print_line(page, "<td>");
  WriteCellLines(run, page, left);
  run.files.print_line(page, "</td>");
  std::string right = NextListedFile(run, listing);
  run.files.print_line(page, "<td>");
  run.files.print_line(page, "<td>");
  WriteCellLines(run, page, right);
  for (const char* line : kTail) run.files.print_line(page, line);
  run.files.close_file(listing);
  run.files.close_file(page);
  run.run_command("copy /y " + kComparePage + " " + kHtmlWork + "\\" + kComparePage + " > " +
                  kSink);
}

}  // namespace quillon
