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
  if (!buffer_) buffer_.reset(new char[kBlock]);
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

void BlockWriter::SpillNumber(uint64_t value) {
  char digits[20];
  char* start = Digits(value, digits + sizeof digits);
  put(start, static_cast<size_t>(digits + sizeof digits - start));
}

void BlockWriter::put_right_aligned(uint64_t value, size_t width) {
  char text[64];
  char* end = text + sizeof text;
  char* start = Digits(value, end);
  size_t n = static_cast<size_t>(end - start);
  if (n < width) {
    size_t blanks = width - n;
    // The widths the records use fit; a wider one goes blank by blank.
    if (blanks > static_cast<size_t>(start - text)) {
      for (; blanks > 0; --blanks) put(' ');
    } else {
      start -= blanks;
      std::memset(start, ' ', blanks);
    }
  }
  put(start, static_cast<size_t>(end - start));
}

void BlockWriter::MakeWordId(uint32_t number) {
  id_text_[0] = 'i';
  id_text_[1] = 'd';
  id_number_ = number;
  if (number < 100000000) {
    // Eight digits, two at a time.
    static const char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    uint32_t high = number / 10000, low = number % 10000;
    std::memcpy(id_text_ + 2, kPairs + 2 * (high / 100), 2);
    std::memcpy(id_text_ + 4, kPairs + 2 * (high % 100), 2);
    std::memcpy(id_text_ + 6, kPairs + 2 * (low / 100), 2);
    std::memcpy(id_text_ + 8, kPairs + 2 * (low % 100), 2);
    id_size_ = 10;
    return;
  }
  char digits[20];
  char* start = Digits(number, digits + sizeof digits);
  size_t n = static_cast<size_t>(digits + sizeof digits - start);
  id_text_[0] = 'i';
  id_text_[1] = 'd';
  size_t zeros = n < 8 ? 8 - n : 0;
  std::memset(id_text_ + 2, '0', zeros);
  std::memcpy(id_text_ + 2 + zeros, start, n);
  id_size_ = 2 + zeros + n;
}

}  // namespace quillon
