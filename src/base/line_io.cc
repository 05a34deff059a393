#include "base/line_io.h"

#include <cstring>

namespace quillon {

namespace {
const size_t kBuffer = 1 << 16;
}  // namespace

LineReader::LineReader(std::unique_ptr<InputFile> in) : in_(std::move(in)), buffer_(kBuffer) {
  if (!in_) at_end_ = true;
}

LineReader::LineReader(Disk& disk, const std::string& path, FailureLog* failures)
    : LineReader(disk.open_read(path)) {
  path_ = path;
  failures_ = failures;
  if (!in_ && disk.last_error() != DiskError::kNotFound) {
    failures_->note(DiskAction::kRead, path_, disk.last_error());
  }
}

bool LineReader::fill() {
  if (start_ < end_) return true;
  if (at_end_) return false;
  long got = in_->read(buffer_.data(), buffer_.size());
  if (got <= 0) {
    failed_ = got < 0;
    if (failed_ && failures_) failures_->note(DiskAction::kRead, path_, in_->error());
    at_end_ = true;
    return false;
  }
  start_ = 0;
  end_ = static_cast<size_t>(got);
  return true;
}

bool LineReader::next(std::string* line) {
  line->clear();
  bool any = false;
  while (fill()) {
    any = true;
    const char* from = buffer_.data() + start_;
    size_t available = end_ - start_;
    const void* lf = std::memchr(from, '\n', available);
    if (lf) {
      size_t length = static_cast<size_t>(static_cast<const char*>(lf) - from);
      line->append(from, length);
      start_ += length + 1;
      if (!line->empty() && line->back() == '\r') line->pop_back();
      return true;
    }
    line->append(from, available);
    start_ = end_;
  }
  if (!line->empty() && line->back() == '\r') line->pop_back();
  return any;
}

LineWriter::LineWriter(std::unique_ptr<OutputFile> out) : out_(std::move(out)) {
  if (!out_) {
    ok_ = false;
    error_ = DiskError::kIo;
  }
  buffer_.reserve(kBuffer);
}

LineWriter::~LineWriter() {
  close();
}

void LineWriter::Failed() {
  if (ok_) error_ = out_->error();
  ok_ = false;
}

// After the first failed write nothing more reaches the file, so that it holds
// a clean beginning of its lines.
void LineWriter::flush() {
  if (buffer_.empty()) return;
  if (ok_ && out_ && !out_->write(buffer_.data(), buffer_.size())) Failed();
  buffer_.clear();
}

void LineWriter::raw(const char* data, size_t n) {
  if (buffer_.size() + n > kBuffer) flush();
  if (!ok_ || !out_) return;
  if (n >= kBuffer) {
    if (!out_->write(data, n)) Failed();
    return;
  }
  buffer_.append(data, n);
}

void LineWriter::line(const std::string& text) {
  raw(text.data(), text.size());
  raw("\r\n", 2);
}

bool LineWriter::close() {
  flush();
  if (out_) {
    if (!out_->close()) Failed();
    out_.reset();
  }
  return ok_;
}

}  // namespace quillon
