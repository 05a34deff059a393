// What one thread that writes index pages works with.

#ifndef QUILLON_INDEX_PAGE_WORK_H_
#define QUILLON_INDEX_PAGE_WORK_H_

#include <string>

#include "base/block_writer.h"
#include "base/disk.h"
#include "base/failure_log.h"

namespace quillon {

/// The disk, the log its failures go to, one writer whose buffer serves file
/// after file, and the text of the page it reads.
struct PageWork {
  PageWork(Disk& disk, FailureLog* failures) : disk(disk), failures(failures) {}
  Disk& disk;
  FailureLog* failures;
  BlockWriter out;
  std::string text;

  /// Starts writing the work file or page the run calls `name`.
  void open(const std::string& name) { out.open(disk, name, failures); }
  /// Reads the file the run calls `name` whole into `text`, and gives its
  /// disk path; a file that cannot be read is a failure, and reads as empty.
  std::string read_whole(const std::string& name);
};

}  // namespace quillon

#endif  // QUILLON_INDEX_PAGE_WORK_H_
