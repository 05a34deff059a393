// The run's folder is its own: before its first command, the run makes sure
// that nothing it could delete, empty or overwrite there belongs to anyone
// else, and that no other run is working in it.

#ifndef QUILLON_APP_FOLDER_CHECK_H_
#define QUILLON_APP_FOLDER_CHECK_H_

#include <string>
#include <vector>

#include "base/disk.h"

namespace quillon {

/// The entries of the folder that the run's commands could delete, empty or
/// overwrite (its delete patterns, its work files and folders by any letter
/// case, the copies the intake makes from compare_in) and that are not the
/// run's own. Its own are: a work file or work folder by its exact name, a
/// regular file or real folder that is neither a link nor a special file nor
/// has other names elsewhere; and a copy of a file of compare_in (or the
/// text twin of one of its HTML files) byte for byte, as an interrupted run
/// leaves them. Inside a work folder every entry must be such a file or a
/// real folder. Paths use '/'; a folder's entries are listed in order.
std::vector<std::string> entries_in_the_way(Disk& disk);

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

}  // namespace quillon

#endif  // QUILLON_APP_FOLDER_CHECK_H_
