#include "app/results_screen.h"

#include "run/console_waits.h"
#include "run/product.h"
#include "run/work_files.h"

namespace quillon {

void show_results(Console& console, const FailureLog& failures, long long word_total) {
  console.print_line("processed 100%");
  console.print_line();
  console.print_line("============ RESULTS ===========");
  console.print_line();
  console.print_text("words in *.html files = ");
  console.print_number(word_total, Ending::kLine);
  console.print_line();
  console.print_line("view subfolder: htm_out");
  console.print_line("unindexed file: compare.htm");
  console.print_line();
  console.print_line("indexed files: page*.htm, index*.htm, i_*.htm, s_*.htm");
  console.print_line("You can access the index of all words by double-clicking on any word.");
  console.print_line(std::string("details: ") + kProductAddress);
  console.print_line();
  console.print_line("Changes: " + work_files::kHtmlOut + "/" + work_files::kChangesPage);
  any_key_end(console, failures, "<...> any key to continue and end");
}

}  // namespace quillon
