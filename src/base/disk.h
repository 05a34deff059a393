// The one door to the file system, so that tests can put a fake in its place
// and make any operation fail.
//
// The door is narrow on purpose: nothing is written, emptied, renamed onto or
// deleted through a symbolic link (in any part of a path), no FIFO, device or
// socket is ever opened, and a file that has other names elsewhere is never
// written. A failed operation says why through `last_error()`.

#ifndef QUILLON_BASE_DISK_H_
#define QUILLON_BASE_DISK_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillon {

/// Why a disk operation failed.
enum class DiskError {
  kNone,
  kNotFound,    ///< No such file or folder, or a folder of the path is missing.
  kDenied,      ///< No permission, or a read-only disk.
  kFull,        ///< The disk (or the user's quota) is full.
  kNotRegular,  ///< A folder, a link, a FIFO, device or socket, or a file linked elsewhere.
  kExists,      ///< Already there.
  kTooLong,     ///< The name is longer than the disk allows.
  kIo,          ///< Any other failure of the device.
  kReadOnly,    ///< The disk takes no changes at all.
  kLink,        ///< A link stands where a file or folder was expected.
  kNotOwn,      ///< Something that is not the program's own has the name.
  kChanged,     ///< The file changed while it was being copied.
};

/// The reason as the run reports it ("the disk is full").
std::string describe(DiskError error);

/// Why the platform's own call just made failed (errno, GetLastError()),
/// for the few calls made outside a Disk.
DiskError last_system_error();

/// The longest file name, in bytes, that every supported disk takes.
const size_t kMaxNameBytes = 255;

struct DirEntry {
  std::string name;
  bool is_dir = false;    ///< A folder, or a link to one.
  bool is_other = false;  ///< Neither file nor folder: FIFO, device, socket, or a dangling link.
  bool is_link = false;   ///< The entry itself is a symbolic link.
  uint32_t links = 1;     ///< Names the file has (more than one: linked elsewhere).
  uint64_t size = 0;
  int64_t mtime = 0;  ///< Seconds since the epoch.

  /// A file the run may read: a regular file or a link to one.
  bool is_file() const { return !is_dir && !is_other; }
  /// A plain file of this folder alone, not a link and not linked elsewhere:
  /// the only kind of file the program writes, and so may count as its own.
  bool is_plain_file() const { return is_file() && !is_link && links <= 1; }
  /// A folder itself, not a link to one.
  bool is_real_folder() const { return is_dir && !is_link; }
};

class InputFile {
 public:
  virtual ~InputFile() = default;
  /// Reads up to `n` bytes: the count, 0 at the end, -1 on a read error.
  virtual long read(char* buffer, size_t n) = 0;
  /// Starts reading again at the first byte; false on failure.
  virtual bool rewind() = 0;
  /// Why the last read failed.
  virtual DiskError error() const { return DiskError::kIo; }
};

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  /// Appends bytes; false when they could not all be written.
  virtual bool write(const char* data, size_t n) = 0;
  /// Closes the file; false when written data may be lost.
  virtual bool close() = 0;
  /// Why the last write or the close failed.
  virtual DiskError error() const { return DiskError::kIo; }
};

/// Paths are relative to the disk's root folder, separated by '/', and name
/// entries exactly as they are spelled on disk; "" is the root itself.
///
/// A disk may be called from several threads at once (the index pages are
/// written by several); each thread has its own `last_error()`. An open file
/// belongs to one thread at a time.
class Disk {
 public:
  virtual ~Disk() = default;
  /// False when nothing of that name exists.
  virtual bool stat(const std::string& path, DirEntry* entry) = 0;
  /// The entries of a folder in no particular order; false when it is no folder.
  virtual bool read_dir(const std::string& dir, std::vector<DirEntry>* entries) = 0;
  /// The names of the folder's entries that equal `name` once a-z is folded
  /// to A-Z, in no particular order; false when `dir` is no folder. A disk
  /// may answer from what it knows of the folder, so that looking up one name
  /// after another does not read the whole folder each time.
  virtual bool find_folded(const std::string& dir, const std::string& name,
                           std::vector<std::string>* names);
  /// Null when the path is no readable regular file (a link to one is read).
  virtual std::unique_ptr<InputFile> open_read(const std::string& path) = 0;
  /// Creates or empties the file (or appends to it); null on failure, and
  /// always when the path is a link or no regular file.
  virtual std::unique_ptr<OutputFile> open_write(const std::string& path, bool append) = 0;
  /// Creates a file that must not exist yet; fails with kExists when
  /// anything has the name, without touching it.
  virtual std::unique_ptr<OutputFile> create_new(const std::string& path);
  virtual bool make_dir(const std::string& path) = 0;
  /// Removes a file, or a link itself; never a folder or a special file.
  virtual bool remove_file(const std::string& path) = 0;
  /// Removes an empty folder.
  virtual bool remove_dir(const std::string& path) = 0;
  /// Renames a file, atomically replacing an existing `to` (a link at `to`
  /// is replaced itself, never written through).
  virtual bool rename(const std::string& from, const std::string& to) = 0;
  /// Renames a file onto a name that must be free; fails with kExists when
  /// anything has the name, without touching it.
  virtual bool rename_new(const std::string& from, const std::string& to);

  // What only a disk that keeps a record of the program's own files
  // (own_files.h) tells apart; a plain disk does each the plain way.

  /// The intake's verified move of a user's file: `original` goes once
  /// `copy` holds the same bytes; false, and nothing removed, otherwise.
  virtual bool remove_moved_original(const std::string& original, const std::string& copy);
  /// The files are the user's from now on (the intake's copies of files that
  /// leave compare_in); false when that could not be recorded.
  virtual bool disown(const std::vector<std::string>& paths);
  /// The person agreed, at one of the program's own questions, that the
  /// file `path` may be replaced.
  virtual void overwrite_agreed(const std::string& path);
  /// The path as the platform writes it in full, with its own separators.
  virtual std::string absolute_path(const std::string& path) = 0;
  virtual uint64_t free_bytes() = 0;
  /// Why the last failed operation of the disk itself failed, on this thread.
  DiskError last_error() const { return last_error_; }
  /// Takes the lock of the root folder for as long as the disk lives, without
  /// adding a file to it; the system lets it go when the process ends, however
  /// it ends. False when another process holds it.
  virtual bool lock_root() = 0;
  /// False where names that differ only in letter case name one entry.
  virtual bool tells_case_apart() { return true; }

 protected:
  /// Notes the failure's reason and gives false, for `return Fail(...)`.
  bool Fail(DiskError error) {
    last_error_ = error;
    return false;
  }

  static thread_local DiskError last_error_;
};

/// The real file system below `root` ("." for the current folder).
std::unique_ptr<Disk> make_real_disk(const std::string& root);

/// The name with a-z folded to A-Z.
std::string fold_name(const std::string& name);

/// Joins a folder and a name with '/'.
std::string join_path(const std::string& dir, const std::string& name);

}  // namespace quillon

#endif  // QUILLON_BASE_DISK_H_
