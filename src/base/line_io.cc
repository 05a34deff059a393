#include "base/line_io.h"

#include <cstring>

namespace quillon {

namespace {
const size_t kBuffer = 1 << 16;
}  // namespace

LineReader::LineReader(std::unique_ptr<InputFile> in) : in_(std::move(in)), buffer_(kBuffer) {
  if (!in_) at_end_ = true;
}

bool LineReader::Fill() {
  if (start_ < end_) return true;
  if (at_end_) return false;
  long got = in_->Read(buffer_.data(), buffer_.size());
  if (got <= 0) {
    failed_ = got < 0;
    at_end_ = true;
    return false;
  }
  start_ = 0;
  end_ = static_cast<size_t>(got);
  return true;
}

bool LineReader::Next(std::string* line) {
  line->clear();
  bool any = false;
  while (Fill()) {
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
  if (!out_) ok_ = false;
  buffer_.reserve(kBuffer);
}

LineWriter::~LineWriter() { Close(); }

// After the first failed write nothing more reaches the file, so that it holds
// a clean beginning of its lines.
void LineWriter::Flush() {
  if (buffer_.empty()) return;
  if (ok_ && out_ && !out_->Write(buffer_.data(), buffer_.size())) ok_ = false;
  buffer_.clear();
}

void LineWriter::Raw(const char* data, size_t n) {
  if (buffer_.size() + n > kBuffer) Flush();
  if (!ok_ || !out_) return;
  if (n >= kBuffer) {
    if (!out_->Write(data, n)) ok_ = false;
    return;
  }
  buffer_.append(data, n);
}

void LineWriter::Line(const std::string& text) {
  Raw(text.data(), text.size());
  Raw("\r\n", 2);
}

bool LineWriter::Close() {
  Flush();
  if (out_) {
    if (!out_->Close()) ok_ = false;
    out_.reset();
  }
  return ok_;
}

}  // namespace quillon
