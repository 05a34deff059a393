#include "base/block_writer.h"

#include "base/paths.h"

namespace quillon {

BlockWriter::~BlockWriter() {
  close();
}

void BlockWriter::open(Disk& disk, const std::string& name, FailureLog* failures) {
  std::string path;
  if (resolve_for_writing(disk, name, &path)) return open_path(disk, path, name, failures);
  close();
  name_ = name;
  failures_ = failures;
  failed_ = false;
  Fail(DiskError::kNotFound);
}

void BlockWriter::open_path(Disk& disk, const std::string& path, const std::string& name,
                            FailureLog* failures) {
  close();
  name_ = name;
  failures_ = failures;
  failed_ = false;
  out_ = disk.open_write(path, false);
  if (!out_) return Fail(disk.last_error());
  // The buffer stays from file to file.
  if (!buffer_) buffer_ = std::make_unique<char[]>(kBlock);
  at_ = buffer_.get();
  end_ = at_ + kBlock;
}

bool BlockWriter::close() {
  if (!out_) return !failed_;
  Flush();
  if (!out_->close() && !failed_) Fail(out_->error());
  out_.reset();
  at_ = end_ = nullptr;
  return !failed_;
}

void BlockWriter::Fail(DiskError reason) {
  if (!failed_ && failures_) failures_->note(DiskAction::kWrite, name_, reason);
  failed_ = true;
  // What follows is dropped: the file keeps a clean beginning of its text.
  at_ = end_ = nullptr;
}

void BlockWriter::Flush() {
  if (failed_ || !out_) return;
  size_t n = static_cast<size_t>(at_ - buffer_.get());
  at_ = buffer_.get();
  if (n > 0 && !out_->write(buffer_.get(), n)) Fail(out_->error());
}

void BlockWriter::Spill(const char* data, size_t n) {
  if (failed_ || !out_) return;
  Flush();
  if (failed_) return;
  if (n >= kBlock) {
    if (!out_->write(data, n)) Fail(out_->error());
    return;
  }
  std::memcpy(at_, data, n);
  at_ += n;
}

namespace {

// The digits of `value` at the end of `buffer`; gives where they start.
char* Digits(uint64_t value, char* end) {
  do {
    *--end = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  return end;
}

}  // namespace

void BlockWriter::put_number(uint64_t value) {
  char buffer[20];
  char* end = buffer + sizeof buffer;
  char* start = Digits(value, end);
  put(start, static_cast<size_t>(end - start));
}

void BlockWriter::put_right_aligned(uint64_t value, size_t width) {
  char buffer[20];
  char* end = buffer + sizeof buffer;
  char* start = Digits(value, end);
  for (size_t digits = static_cast<size_t>(end - start); digits < width; ++digits) put(' ');
  put(start, static_cast<size_t>(end - start));
}

void BlockWriter::put_word_id(uint64_t number) {
  char buffer[30] = {'i', 'd'};
  char* end = buffer + sizeof buffer;
  char* start = Digits(number, end);
  // Filled to 8 digits, written right after "id".
  size_t digits = static_cast<size_t>(end - start);
  char* at = buffer + 2;
  for (; digits < 8; ++digits) *at++ = '0';
  std::memmove(at, start, static_cast<size_t>(end - start));
  at += end - start;
  put(buffer, static_cast<size_t>(at - buffer));
}

}  // namespace quillon
