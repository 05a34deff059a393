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
  /// The threads that write the index pages: 0 for one per core, 1 for the
  /// run's own thread alone. Every number gives the same bytes. Read by the
  /// group pages.
  int jobs = 0;
};

}  // namespace quillon

#endif  // QUILLON_RUN_RUN_OPTIONS_H_
