// The record that an output folder written by the program holds, so that a
// later run knows the folder for its own and may replace it, and knows a
// user's file, or a page someone edited, for what it is.
//
// The record is the file ".quillon-files" in the folder: a first line that
// begins with "#" and says what the file is, then one line per file the
// program wrote there, "SIZE CHECKSUM NAME": the size in bytes in decimal,
// the file's 64-bit XXH3 checksum in 16 lower-case hex digits, and the name,
// which runs to the end of the line. Lines end with LF.

#ifndef QUILLON_RUN_OUTPUT_RECORD_H_
#define QUILLON_RUN_OUTPUT_RECORD_H_

#include <string>

#include "base/disk.h"
#include "run/work_files.h"

namespace quillon {

/// Writes the record of the files now in `folder` (a disk path); false, with
/// the disk's reason, when it could not.
bool write_output_record(Disk& disk, const std::string& folder, DiskError* error);

/// What the record does not vouch for: an entry it does not name (a folder,
/// a link or any other kind than a plain file among them), or a file whose
/// size or checksum differs from the record's.
struct ForeignEntry {
  std::string name;         ///< Empty when the record vouches for every entry.
  bool changed = false;     ///< A recorded file of another size or checksum.
  bool unreadable = false;  ///< A recorded file that could not be read through.
};

/// The first entry of `folder` in listing order that its record does not
/// vouch for; "." when the folder cannot be read. A folder without a record
/// vouches for nothing; an empty folder holds nothing foreign.
ForeignEntry first_foreign_entry(Disk& disk, const std::string& folder);

}  // namespace quillon

#endif  // QUILLON_RUN_OUTPUT_RECORD_H_
