// The table of open work files, addressed by file numbers 1..255.
//
// Nothing here stops the run: a file that cannot be opened reads as empty and
// swallows what is written to it, and each stage judges success by what it
// reads back. An open that fails still takes its number until it is closed,
// so that no two open files ever share one (a loop reading one file must
// never find itself testing another). Every failure other than a missing
// file to read is noted in the run's failure log with its reason.

#ifndef QUILLON_RUN_FILE_TABLE_H_
#define QUILLON_RUN_FILE_TABLE_H_

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/disk.h"
#include "base/failure_log.h"
#include "base/text.h"

namespace quillon {

class TableFile;

class FileTable {
 public:
  static const int kSlots = 255;

  FileTable(Disk* disk, FailureLog* failures);
  ~FileTable();

  /// The lowest free file number, or 0 when all are taken.
  int free_file_number();
  /// How many file numbers are free.
  int free_file_count() const;

  /// Opens `name` on the lowest free number, for as long as the returned
  /// object lives. What the numbered calls below do on a failed open (reading
  /// ends at once, writes are dropped, the number stays taken) holds for it.
  TableFile input(const std::string& name);
  TableFile output(const std::string& name);
  TableFile append(const std::string& name);

  void open_input(const std::string& name, int number);
  void open_output(const std::string& name, int number);
  void open_append(const std::string& name, int number);
  void close_file(int number);
  void close_all();

  bool end_of_file(int number);
  void rewind_file(int number);
  /// The next line without its line end; `*line` is left alone on a free number.
  void read_line(int number, std::string* line);
  std::string read_token(int number);
  int32_t read_number(int number);

  void print_text(int number, const std::string& text);
  void print_line(int number, const std::string& text = "");
  void print_number(int number, long long value, Ending ending);
  /// One quoted record: every item in double quotes, commas between, CR LF.
  void write_quoted(int number, std::initializer_list<std::string> items);
  void write_quoted(int number, const std::vector<std::string>& items);

  bool file_exists(const std::string& path);
  void delete_file(const std::string& path);

  /// True while the number is taken by an open, also one that failed.
  bool is_open(int number) const;
  /// True when the file could not be opened, or a write to it failed.
  bool write_failed(int number) const;

  Disk& disk() { return *disk_; }

  struct Slot;
  /// Byte access for field reading; public for the field reader templates.
  class Reader;

 private:
  Slot* Open(int number);
  void OpenWriter(const std::string& name, int number, bool append);
  void write(Slot* slot, const char* data, size_t n);
  void WriteRecord(int number, const std::string* first, const std::string* last);
  void TakeFailed(int number, bool input);
  void WriteFailed(Slot* slot, DiskError reason);

  Disk* disk_;
  FailureLog* failures_;
  std::vector<std::unique_ptr<Slot>> slots_;
};

/// One open file of the table: its number is freed, and what was written
/// reaches the disk, on every path out of the scope that opened it.
class TableFile {
 public:
  TableFile() = default;
  TableFile(TableFile&& other) noexcept { *this = std::move(other); }
  TableFile& operator=(TableFile&& other) noexcept;
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;
  ~TableFile() { close(); }

  /// The next line, without its line end, into `*line`; false, with `*line`
  /// left alone, once the file is read to its end (at once for a file that
  /// could not be opened).
  bool next_line(std::string* line);
  bool at_end() { return !files_ || files_->end_of_file(number_); }
  void rewind() {
    if (files_) files_->rewind_file(number_);
  }
  std::string read_token() { return files_ ? files_->read_token(number_) : std::string(); }
  int32_t read_number() { return files_ ? files_->read_number(number_) : 0; }

  void print_text(const std::string& text) {
    if (files_) files_->print_text(number_, text);
  }
  void print_line(const std::string& text = "") {
    if (files_) files_->print_line(number_, text);
  }
  void print_number(long long value, Ending ending) {
    if (files_) files_->print_number(number_, value, ending);
  }
  void write_quoted(std::initializer_list<std::string> items) {
    if (files_) files_->write_quoted(number_, items);
  }
  void write_quoted(const std::vector<std::string>& items) {
    if (files_) files_->write_quoted(number_, items);
  }
  /// True when the file could not be opened, or a write to it failed.
  bool write_failed() const { return files_ && files_->write_failed(number_); }

  /// Closes it before its scope ends (a file read back once written).
  void close();
  /// The number it holds in the table (0 once closed, or with none free).
  int number() const { return number_; }

 private:
  friend class FileTable;
  TableFile(FileTable* files, int number) : files_(files), number_(number) {}

  FileTable* files_ = nullptr;
  int number_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_RUN_FILE_TABLE_H_
