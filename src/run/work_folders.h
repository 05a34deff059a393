// The work folders of the run: found by a listing of the entries without an
// extension, emptied by a throw-away listing and a quiet delete.

#ifndef QUILLON_RUN_WORK_FOLDERS_H_
#define QUILLON_RUN_WORK_FOLDERS_H_

#include <functional>
#include <string>

#include "base/own_files.h"
#include "run/file_table.h"
#include "shell/command_layer.h"

namespace quillon {

/// The number of lines of a work file for which `counts` holds; none when the
/// file cannot be read.
long count_lines(FileTable& files, const std::string& name,
                 const std::function<bool(const std::string&)>& counts);

/// True when a line of the listing file, in lower case, contains `folder`.
bool folder_listed(FileTable& files, const std::string& listing, const std::string& folder);

/// Empties a work folder: "dir > F\f_01.txt", then "del /q F\*.* > out_null.list".
void clear_folder(CommandLayer& commands, const std::string& folder);

/// Removes what a run that failed leaves: the files it made in its folder
/// and in its work folders, htm_out's only when `with_output`. Nothing else
/// is touched, so every input stays. (A disk that keeps no record yet shows
/// everything: there only work files by their exact names go.)
void remove_work_files(OwnDisk& disk, bool with_output);

}  // namespace quillon

#endif  // QUILLON_RUN_WORK_FOLDERS_H_
