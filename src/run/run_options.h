// The run's options: everything the command line can set, with its default,
// handed as one value from main to the phases that read it.

#ifndef QUILLON_RUN_RUN_OPTIONS_H_
#define QUILLON_RUN_RUN_OPTIONS_H_

namespace quillon {

/// Page bytes above which the comparison is also written in parts: the size
/// of an annotated part that a browser opens and highlights comfortably.
const long kDefaultPartSize = 30000;

struct RunOptions {
  /// The size of the parts a large comparison is indexed in; 0 indexes the
  /// comparison as one page whatever its size. Read by the comparison page.
  long part_size = kDefaultPartSize;
  /// No live progress line at the terminal (--quiet, or QUILLON_PROGRESS=0);
  /// the dialogue's lines are the same either way. Read by the driver.
  bool quiet = false;
};

}  // namespace quillon

#endif  // QUILLON_RUN_RUN_OPTIONS_H_
