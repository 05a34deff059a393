// The run's options: everything the command line can set, with its default,
// handed as one value from main to the phases that read it.
//
// Two forms of run read them. Without input files the run is the console
// dialogue in the current folder, and only part_size, quiet and jobs apply.
// With `first_input` and `second_input` set it is the one-command form: the
// same phases in a private work folder, with width and site supplied as the
// dialogue's answers and the pages put in place as `output_folder`.

#ifndef QUILLON_RUN_RUN_OPTIONS_H_
#define QUILLON_RUN_RUN_OPTIONS_H_

#include <string>

#include "run/work_files.h"

namespace quillon {

/// Page bytes above which the comparison is also written in parts: the size
/// of an annotated part that a browser opens and highlights comfortably.
const long kDefaultPartSize = 30000;

/// Where the one-command form puts the pages when -o does not say.
inline const std::string& kDefaultOutputFolder = work_files::kHtmlOut;

struct RunOptions {
  /// The size of the parts a large comparison is indexed in; 0 indexes the
  /// comparison as one page whatever its size. Read by the comparison page.
  long part_size = kDefaultPartSize;

  /// No live progress line at the terminal (-q, --quiet, or
  /// QUILLON_PROGRESS=0); the dialogue's lines are the same either way.
  bool quiet = false;

  /// The threads that write the index pages (--jobs): 0 for one per core, 1
  /// for the run's own thread alone. Every number gives the same bytes.
  int jobs = 0;

  /// The two files of the one-command form, as given on the command line:
  /// the first fills the left column. Both empty: the dialogue.
  std::string first_input;
  std::string second_input;

  /// The one-command form's output folder (-o, --output), as given; the path
  /// of the page to open is printed as this folder names it.
  std::string output_folder = kDefaultOutputFolder;

  /// The table width in percent as the dialogue's question would be
  /// answered (--width: "80", "62.5"); empty: Enter, the full width.
  std::string width;

  /// The address the search links are restricted to, as the dialogue's
  /// question would be answered (--site); empty: not restricted.
  std::string site;

  /// True for the one-command form.
  bool one_command() const { return !first_input.empty() || !second_input.empty(); }

  /// The names the changes pages show for the two inputs, the left
  /// column's (the comparison page's first file) first; empty: the names
  /// they were chosen by in compare_in.
  std::string first_shown_name;
  std::string second_shown_name;
};

}  // namespace quillon

#endif  // QUILLON_RUN_RUN_OPTIONS_H_
