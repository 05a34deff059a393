// The one fixed sequence of phases of a run, as a table: each row names a
// phase and runs it with what earlier phases produced. The driver walks the
// whole table; tests run a stretch of it instead of copying the order.

#ifndef QUILLON_APP_PHASE_TABLE_H_
#define QUILLON_APP_PHASE_TABLE_H_

#include <set>
#include <string>
#include <vector>

#include "compare/comparison_page.h"
#include "index/word_table.h"
#include "run/run.h"
#include "run/run_options.h"
#include "run/work_files.h"

namespace quillon {

/// What one phase hands to a later one.
struct RunState {
  /// From the HTML inputs, for the comparison page: the .txt twins made in
  /// this run, whose lines stay markup.
  std::set<std::string> html_twins;
  std::string table_width;       ///< From selection, for the comparison page.
  std::string destination_site;  ///< From the address question, for the search pages.
  std::string page_number_pad;   ///< From the working copies, for page preparation.
  RunOptions options;            ///< From the command line, for the phases that read them.
  /// From the comparison page, for delivery: where compare.htm waits.
  std::string whole_page_folder = work_files::kHtmlWork;
  /// From the comparison page, for the changes pages.
  ComparisonPages comparison;
  /// From the changes pages, for delivery: how many there are.
  long changes_pages = 0;
  WordTable words;           ///< From word extraction on, for the index phases.
  long long word_total = 0;  ///< From the word index, for the results screen.
  size_t phase = 0;          ///< The row of the phase running (or the last that ran).
};

struct Phase {
  const char* name;
  void (*run)(Run& run, RunState& state);
};

/// Every phase, in run order, from "start-up" to "results".
const std::vector<Phase>& phase_table();

/// The row of the phase of that name.
size_t phase_index(const std::string& name);

/// Runs the phases from `first` through `last` (both by name, both
/// included); ends early only through a console wait (RunEnded), or
/// (RunFailed) right after a phase in which anything failed on the disk.
void run_phases(Run& run, RunState& state, const std::string& first = "start-up",
                const std::string& last = "results");

}  // namespace quillon

#endif  // QUILLON_APP_PHASE_TABLE_H_
