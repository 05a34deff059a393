// Writing a file that is made of millions of small pieces (the index pages):
// each piece goes straight into a buffer of a megabyte, which reaches the
// disk in one write when it is full. Nothing is made to be appended.

#ifndef QUILLON_BASE_BLOCK_WRITER_H_
#define QUILLON_BASE_BLOCK_WRITER_H_

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "base/disk.h"
#include "base/failure_log.h"

namespace quillon {

class BlockWriter {
 public:
  static const size_t kBlock = 1 << 20;

  BlockWriter() = default;
  ~BlockWriter();
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  /// Creates or empties the file the run calls `name` (a program path,
  /// resolved for writing) and writes to it until `close`. A failure, now or
  /// later, is noted in `failures` under `name`, and nothing more reaches the
  /// file.
  void open(Disk& disk, const std::string& name, FailureLog* failures);
  /// The same for a path of the disk already resolved.
  void open_path(Disk& disk, const std::string& path, const std::string& name,
                 FailureLog* failures);
  /// Writes out what is buffered and closes; false when anything was lost.
  bool close();

  void put(const char* data, size_t n) {
    // An empty view may have no data at all, which memcpy must not be given.
    if (n == 0) return;
    if (n > static_cast<size_t>(end_ - at_)) return Spill(data, n);
    std::memcpy(at_, data, n);
    at_ += n;
  }
  void put(std::string_view text) { put(text.data(), text.size()); }
  /// A piece known when compiling, copied without a call.
  template <size_t N>
  void put(const char (&text)[N]) {
    put(text, N - 1);
  }
  void put(char c) {
    if (at_ == end_) return Spill(&c, 1);
    *at_++ = c;
  }
  /// The text and CR LF.
  void line(std::string_view text) {
    put(text);
    put("\r\n");
  }
  /// Decimal digits.
  void put_number(uint64_t value) {
    if (end_ - at_ < 20) return SpillNumber(value);
    char digits[20];
    char* start = Digits(value, digits + sizeof digits);
    size_t n = static_cast<size_t>(digits + sizeof digits - start);
    std::memcpy(at_, start, n);
    at_ += n;
  }
  /// Decimal digits right-aligned in `width` blanks.
  void put_right_aligned(uint64_t value, size_t width);
  /// "id" and the number filled to 8 digits: a word id. A page writes the
  /// same id several times in a row, so the last one is kept.
  void put_word_id(uint32_t number) {
    if (number != id_number_ || id_size_ == 0) MakeWordId(number);
    put(id_text_, id_size_);
  }

 private:
  // The digits of `value` before `end`; gives where they start.
  static char* Digits(uint64_t value, char* end) {
    do {
      *--end = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value > 0);
    return end;
  }
  void Spill(const char* data, size_t n);
  void SpillNumber(uint64_t value);
  void MakeWordId(uint32_t number);
  void Flush();
  void Fail(DiskError reason);

  std::unique_ptr<OutputFile> out_;
  std::string name_;
  FailureLog* failures_ = nullptr;
  bool failed_ = false;
  std::unique_ptr<char[]> buffer_;
  char* at_ = nullptr;
  char* end_ = nullptr;
  uint32_t id_number_ = 0;
  size_t id_size_ = 0;
  char id_text_[12] = {};
};

}  // namespace quillon

#endif  // QUILLON_BASE_BLOCK_WRITER_H_
