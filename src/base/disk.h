// The one door to the file system, so that tests can put a fake in its place
// and make any operation fail.

#ifndef QUILLON_BASE_DISK_H_
#define QUILLON_BASE_DISK_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillon {

struct DirEntry {
  std::string name;
  bool is_dir = false;
  uint64_t size = 0;
  int64_t mtime = 0;  ///< Seconds since the epoch.
};

class InputFile {
 public:
  virtual ~InputFile() = default;
  /// Reads up to `n` bytes: the count, 0 at the end, -1 on a read error.
  virtual long read(char* buffer, size_t n) = 0;
  /// Starts reading again at the first byte; false on failure.
  virtual bool rewind() = 0;
};

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  /// Appends bytes; false when they could not all be written.
  virtual bool write(const char* data, size_t n) = 0;
  /// Closes the file; false when written data may be lost.
  virtual bool close() = 0;
};

/// Paths are relative to the disk's root folder, separated by '/', and name
/// entries exactly as they are spelled on disk; "" is the root itself.
class Disk {
 public:
  virtual ~Disk() = default;
  /// False when nothing of that name exists.
  virtual bool stat(const std::string& path, DirEntry* entry) = 0;
  /// The entries of a folder in no particular order; false when it is no folder.
  virtual bool read_dir(const std::string& dir, std::vector<DirEntry>* entries) = 0;
  /// Null when the file cannot be opened for reading.
  virtual std::unique_ptr<InputFile> open_read(const std::string& path) = 0;
  /// Creates or empties the file (or appends to it); null on failure.
  virtual std::unique_ptr<OutputFile> open_write(const std::string& path, bool append) = 0;
  virtual bool make_dir(const std::string& path) = 0;
  virtual bool remove_file(const std::string& path) = 0;
  /// Renames a file, atomically replacing an existing `to`.
  virtual bool rename(const std::string& from, const std::string& to) = 0;
  /// The path as the platform writes it in full, with its own separators.
  virtual std::string absolute_path(const std::string& path) = 0;
  virtual uint64_t free_bytes() = 0;
};

/// The real file system below `root` ("." for the current folder).
std::unique_ptr<Disk> make_real_disk(const std::string& root);

/// Joins a folder and a name with '/'.
std::string join_path(const std::string& dir, const std::string& name);

}  // namespace quillon

#endif  // QUILLON_BASE_DISK_H_
