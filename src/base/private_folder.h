// The folders of the one-command form: its private work folder, made beside
// the output folder so that the finished pages move into place by rename,
// and removed whole at the end. Paths here are the platform's own (relative
// to the current folder, or absolute), not below a Disk's root.

#ifndef QUILLON_BASE_PRIVATE_FOLDER_H_
#define QUILLON_BASE_PRIVATE_FOLDER_H_

#include <string>

#include "base/disk.h"

namespace quillon {

/// Splits a path at its last separator ('/', and '\\' on Windows): the
/// folder ("" for none; "/" for the root) and the last part.
void split_host_path(const std::string& path, std::string* folder, std::string* last);

/// The folder and a name in it, as a path.
std::string join_host_path(const std::string& folder, const std::string& name);

/// Makes a fresh folder in `parent` that only this user may enter, named
/// `prefix` and six random characters; gives its name, or "" with `*error`
/// set.
std::string make_private_folder(const std::string& parent, const std::string& prefix,
                                DiskError* error);

/// Removes `path`, a file or a folder with everything below it; a link is
/// removed itself, never followed. False when anything stays.
bool remove_tree(const std::string& path);

/// Moves the folder `from` to `to`, which must not exist (nothing is ever
/// replaced this way); false with `*error` set.
bool move_folder(const std::string& from, const std::string& to, DiskError* error);

enum class Exchange { kDone, kUnsupported, kFailed };

/// Exchanges the two folders in one step, so that no moment finds neither at
/// its place. kUnsupported where the system or the disk cannot, and the
/// caller moves them one at a time instead; kFailed with `*error` set.
Exchange exchange_folders(const std::string& a, const std::string& b, DiskError* error);

}  // namespace quillon

#endif  // QUILLON_BASE_PRIVATE_FOLDER_H_
