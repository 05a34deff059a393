// quillon --clean: removes what earlier runs left in the folder, and
// nothing of the user's.

#ifndef QUILLON_APP_CLEAN_H_
#define QUILLON_APP_CLEAN_H_

#include "base/console.h"
#include "base/own_files.h"

namespace quillon {

/// Removes what the record of the program's own files names, except the
/// delivered pages in htm_out. Files and folders with exact work names that
/// the record does not name (all of them, in a folder without a record) are
/// listed, and removed only after a "y" at a terminal, or when `yes`;
/// without a terminal and without `yes` nothing of them goes. compare_in,
/// htm_out and everything else stay. Gives the exit status.
int clean_folder(OwnDisk& own, Console& console, bool yes);

/// The same on the real console and disk, in the current folder.
int clean_main(const char* argv0, bool yes);

}  // namespace quillon

#endif  // QUILLON_APP_CLEAN_H_
