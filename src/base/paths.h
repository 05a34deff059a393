// How the program's path names ("txt_wrk\a.txt", "TXT_IN\*.txt") find the
// entries on disk: either separator, exact spelling first, then ASCII letter
// case ignored, and listings in one fixed order on every platform.

#ifndef QUILLON_BASE_PATHS_H_
#define QUILLON_BASE_PATHS_H_

#include <string>
#include <vector>

#include "base/disk.h"

namespace quillon {

/// The parts of a path split at '\' and '/', empty parts and "." dropped.
std::vector<std::string> split_program_path(const std::string& path);

/// True when the path ends in a separator ("compare_in\").
bool ends_with_separator(const std::string& path);

/// True when `part` can name an entry of a folder: not "..", and free of the
/// NUL byte at which the platform would cut the name short.
bool is_entry_name(const std::string& part);

/// Listing order: bytes compared after folding a-z to A-Z, ties bytewise.
bool listing_before(const std::string& a, const std::string& b);

/// A folder's entries in listing order; false when it is no folder.
bool list_folder(Disk& disk, const std::string& dir, std::vector<DirEntry>* entries);

/// Finds the entry `name` of `dir`: exactly, else ignoring ASCII case (the
/// first in listing order). False when there is none.
bool find_entry(Disk& disk, const std::string& dir, const std::string& name, DirEntry* found);

/// Resolves the folder parts of a program path; `*folder` receives the disk
/// path of the folder and `*last` the last part as given (empty when the path
/// names a folder by its trailing separator). False when a folder part does
/// not exist or the path tries to leave the working folder.
bool resolve_parent(Disk& disk, const std::string& path, std::string* folder, std::string* last);

/// Resolves a whole program path to the disk path of an existing entry, or,
/// when the last part does not exist, to its given spelling in the resolved
/// folder. False when a folder part does not exist.
bool resolve_path(Disk& disk, const std::string& path, std::string* resolved);

/// Resolves a program path for writing: the folder parts as found on disk,
/// the last part exactly as given (where the disk tells case apart, a name in
/// another case is another file, never this one). False when a folder part is
/// missing.
bool resolve_for_writing(Disk& disk, const std::string& name, std::string* resolved);

}  // namespace quillon

#endif  // QUILLON_BASE_PATHS_H_
