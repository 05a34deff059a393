// Buffered line reading and writing straight on the disk interface, for the
// commands and passes that stream large work files.

#ifndef QUILLON_BASE_LINE_IO_H_
#define QUILLON_BASE_LINE_IO_H_

#include <memory>
#include <string>
#include <vector>

#include "base/disk.h"
#include "base/failure_log.h"

namespace quillon {

/// Lines split at LF, a CR before the LF dropped, a last line without line
/// end kept (and a CR as the file's very last byte dropped).
class LineReader {
 public:
  explicit LineReader(std::unique_ptr<InputFile> in);
  /// Reads the file at `path`, noting in `failures` a file that cannot be
  /// opened (other than a missing one) or read to its end.
  LineReader(Disk& disk, const std::string& path, FailureLog* failures);
  /// False when nothing is left.
  bool next(std::string* line);
  /// True when a read error cut the data short.
  bool failed() const { return failed_; }
  /// Why it was cut short.
  DiskError error() const { return in_ ? in_->error() : DiskError::kIo; }

 private:
  bool fill();

  std::unique_ptr<InputFile> in_;
  std::string path_;
  FailureLog* failures_ = nullptr;
  std::vector<char> buffer_;
  size_t start_ = 0;
  size_t end_ = 0;
  bool at_end_ = false;
  bool failed_ = false;
};

/// Writes lines ended by CR LF through a large buffer.
class LineWriter {
 public:
  explicit LineWriter(std::unique_ptr<OutputFile> out);
  ~LineWriter();
  void line(const std::string& text);
  void raw(const char* data, size_t n);
  /// Writes out the buffer and closes; false when anything was lost.
  bool close();
  /// Why something was lost.
  DiskError error() const { return error_; }
  /// True until it is closed, unless it was given no file.
  bool has_file() const { return out_ != nullptr; }

 private:
  void flush();
  void Failed();

  std::unique_ptr<OutputFile> out_;
  std::string buffer_;
  bool ok_ = true;
  DiskError error_ = DiskError::kNone;
};

}  // namespace quillon

#endif  // QUILLON_BASE_LINE_IO_H_
