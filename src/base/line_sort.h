// Sorting the lines of a file of any size: sorted runs of bounded size, then
// merged many at a time. Equal lines keep their input order.

#ifndef QUILLON_BASE_LINE_SORT_H_
#define QUILLON_BASE_LINE_SORT_H_

#include <string>

#include "base/disk.h"

namespace quillon {

/// Below, equal to or above 0, as `compare_text`.
using LineOrder = int (*)(const std::string&, const std::string&);

/// Bytes compared after folding a-z to A-Z.
int FoldedOrder(const std::string& a, const std::string& b);

struct SortOptions {
  LineOrder order = nullptr;
  size_t run_bytes = 32u << 20;  ///< Line bytes held in memory at a time.
  size_t max_merge = 50;         ///< Runs merged in one pass.
  std::string scratch_prefix;    ///< Disk path prefix of the run files.
};

/// Sorts `input` into `output` (lines ended by CR LF); false when the input
/// cannot be read or the output not written.
bool SortLines(Disk& disk, const std::string& input, const std::string& output,
               const SortOptions& options);

}  // namespace quillon

#endif  // QUILLON_BASE_LINE_SORT_H_
