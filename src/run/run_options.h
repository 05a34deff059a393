// The run's options: everything the command line can set, with its default,
// handed as one value from main to the phases that read it.

#ifndef QUILLON_RUN_RUN_OPTIONS_H_
#define QUILLON_RUN_RUN_OPTIONS_H_

#include <string>

namespace quillon {

/// Page bytes above which the comparison is also written in parts: the size
/// of an annotated part that a browser opens and highlights comfortably.
const long kDefaultPartSize = 30000;

struct RunOptions {
  /// The size of the parts a large comparison is indexed in; 0 indexes the
  /// comparison as one page whatever its size. Read by the comparison page.
  long part_size = kDefaultPartSize;
  /// The names the changes pages show for the two inputs, the left
  /// column's (the comparison page's first file) first; empty: the names
  /// they were chosen by in compare_in.
  std::string first_shown_name;
  std::string second_shown_name;
};

}  // namespace quillon

#endif  // QUILLON_RUN_RUN_OPTIONS_H_
