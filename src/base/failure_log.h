// What a run could not do on the disk, and why. The commands and the file
// table go on as the procedure wants (a failed open reads as empty, a failed
// write is dropped), but every such failure is noted here, so that the run can
// say what went wrong instead of ending as if it had worked.

#ifndef QUILLON_BASE_FAILURE_LOG_H_
#define QUILLON_BASE_FAILURE_LOG_H_

#include <string>
#include <vector>

#include "base/disk.h"

namespace quillon {

enum class DiskAction { kRead, kWrite, kDelete, kRename, kMakeFolder };

struct DiskFailure {
  DiskAction action;
  std::string path;  ///< As the run names it.
  DiskError reason;
};

/// "could not write wrd_01.txt: the disk is full"
std::string describe(const DiskFailure& failure);

class FailureLog {
 public:
  void note(DiskAction action, const std::string& path, DiskError reason);
  /// Notes what another log holds, after what this one holds.
  void add(const FailureLog& other);
  bool empty() const { return count_ == 0; }
  /// How many failures were noted.
  long count() const { return count_; }
  /// The first failures noted (a full disk fails every later write too).
  const std::vector<DiskFailure>& first() const { return first_; }

 private:
  std::vector<DiskFailure> first_;
  long count_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_BASE_FAILURE_LOG_H_
