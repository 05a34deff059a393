// The run's folder is its own: before its first command, the run makes sure
// that nothing it could write over there belongs to anyone else, and that no
// two files of compare_in would take one name.

#ifndef QUILLON_APP_FOLDER_CHECK_H_
#define QUILLON_APP_FOLDER_CHECK_H_

#include <string>
#include <vector>

#include "base/console.h"
#include "base/disk.h"
#include "base/own_files.h"

namespace quillon {

/// What the folder holds that the run must know of before it touches
/// anything. Paths use '/'; entries in listing order.
struct FolderCheck {
  /// What the run would change or be stopped by and is not its own: an
  /// entry with a work file's or work folder's name that the record does not
  /// name (in any letter case, where the disk does not tell case apart), a
  /// file the intake would write over, a link, a recorded entry of the wrong
  /// kind, a file of compare_in that would leave it under a work folder's name.
  std::vector<std::string> in_the_way;
  /// With no record: entries with work names, which earlier runs may have left.
  std::vector<std::string> earlier_runs;
  /// Files the intake writes that already hold what it would write there
  /// (copies of files of compare_in an interrupted run left): the run's own.
  std::vector<std::string> adopt;
};

/// Looks at the folder through `disk`, which shows it whole; `record` is the
/// record of the run's own files, null when there is none. Outside the work
/// folders and compare_in, what the record does not name and the run would
/// not write is the user's and stays, unseen by the run.
FolderCheck check_folder(Disk& disk, const OwnRecord* record);

/// A warning line for every file or folder that appeared in the run's
/// folder or its work folders while the run worked: the run left it alone.
void warn_about_new_entries(OwnDisk& disk, Console& console);

/// Files of compare_in that the intake would give one name: the name and
/// their given names, in listing order. A name is shared when it is spelled
/// the same, or on a disk that does not tell letter case apart, in any case.
/// Files that hold the same bytes are left out: one of them is what an
/// interrupted intake left, and taking them in keeps one.
struct SharedName {
  std::string name;
  std::vector<std::string> given;
};
std::vector<SharedName> inputs_sharing_a_name(Disk& disk);

/// True when the folder holds a folder compare_in (in any letter case, or a
/// link to one), the one thing a run needs to find there.
bool has_input_folder(Disk& disk);

}  // namespace quillon

#endif  // QUILLON_APP_FOLDER_CHECK_H_
