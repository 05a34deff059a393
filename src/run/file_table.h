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
#include <vector>

#include "base/disk.h"
#include "base/failure_log.h"
#include "base/text.h"

namespace quillon {

class FileTable {
 public:
  static const int kSlots = 255;

  FileTable(Disk* disk, FailureLog* failures);
  ~FileTable();

  /// The lowest free file number, or 0 when all are taken.
  int free_file_number();
  /// How many file numbers are free.
  int free_file_count() const;

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

}  // namespace quillon

#endif  // QUILLON_RUN_FILE_TABLE_H_
