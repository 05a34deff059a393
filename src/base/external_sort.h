// Sorting the lines of a file of any size: sorted runs of bounded size, then
// merged many at a time. Equal lines keep their input order.

#ifndef QUILLON_BASE_EXTERNAL_SORT_H_
#define QUILLON_BASE_EXTERNAL_SORT_H_

#include <string>

#include "base/disk.h"
#include "base/failure_log.h"

namespace quillon {

enum class LineOrder {
  kBytes,   ///< Unsigned bytes, a prefix first (`compare_text`).
  kFolded,  ///< The same after folding a-z to A-Z.
};

/// Below, equal to or above 0 in the given order.
int compare_lines(LineOrder order, const std::string& a, const std::string& b);

struct SortOptions {
  LineOrder order = LineOrder::kBytes;
  size_t run_bytes = 64u << 20;    ///< Line bytes held in memory at a time.
  size_t max_merge = 50;           ///< Runs merged in one pass.
  std::string scratch_prefix;      ///< Disk path prefix of the run files,
  std::string scratch_suffix;      ///< and what follows their number.
  FailureLog* failures = nullptr;  ///< Receives what could not be read or written.
};

/// Sorts `input` into `output` (lines ended by CR LF); false when the input
/// cannot be read or the output not written.
bool sort_lines(Disk& disk, const std::string& input, const std::string& output,
                const SortOptions& options);

}  // namespace quillon

#endif  // QUILLON_BASE_EXTERNAL_SORT_H_
