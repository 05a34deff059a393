// Reading one field of a record, the same way from a file and from a console
// answer, so that what `write_quoted` writes reads back item by item.

#ifndef QUILLON_BASE_FIELD_READER_H_
#define QUILLON_BASE_FIELD_READER_H_

#include <cstdint>
#include <string>
#include <utility>

namespace quillon {

/// A byte stream to read fields from: Peek() gives the next byte (0..255) or
/// -1 at the end, Advance() moves past it. Keeps its own copy of the text, so
/// that `StringSource in(console.ask_line(...))` is safe.
class StringSource {
 public:
  explicit StringSource(std::string text) : text_(std::move(text)) {}
  int Peek() const {
    return position_ < text_.size() ? static_cast<unsigned char>(text_[position_]) : -1;
  }
  void Advance() { ++position_; }

 private:
  std::string text_;
  size_t position_ = 0;
};

namespace field_detail {

template <typename Source>
void SkipBlanks(Source& in) {
  for (int c = in.Peek(); c == ' ' || c == '\t'; c = in.Peek()) in.Advance();
}

// Consumes LF, CR or CR LF when one stands next; true when it did.
template <typename Source>
bool SkipLineEnd(Source& in) {
  int c = in.Peek();
  if (c == '\n') {
    in.Advance();
    return true;
  }
  if (c != '\r') return false;
  in.Advance();
  if (in.Peek() == '\n') in.Advance();
  return true;
}

int32_t NumberFromField(const std::string& field);

}  // namespace field_detail

/// The next field: quoted ("a, b") or plain (up to a comma or a line end,
/// inner and trailing blanks kept); the comma or line end after it is consumed.
template <typename Source>
std::string read_token_from(Source& in) {
  using namespace field_detail;
  SkipBlanks(in);
  std::string field;
  if (in.Peek() == '"') {
    in.Advance();
    for (int c = in.Peek(); c != -1; c = in.Peek()) {
      if (c == '"') {
        in.Advance();
        SkipBlanks(in);
        if (in.Peek() == ',') {
          in.Advance();
        } else {
          SkipLineEnd(in);
        }
        return field;
      }
      if (SkipLineEnd(in)) return field;
      field += static_cast<char>(c);
      in.Advance();
    }
    return field;
  }
  for (int c = in.Peek(); c != -1; c = in.Peek()) {
    if (c == ',') {
      in.Advance();
      return field;
    }
    if (SkipLineEnd(in)) return field;
    field += static_cast<char>(c);
    in.Advance();
  }
  return field;
}

/// The next field as a 32-bit whole number (see `read_number`).
template <typename Source>
int32_t read_number_from(Source& in) {
  using namespace field_detail;
  const size_t kMaxField = 67;
  SkipBlanks(in);
  std::string field;
  for (int c = in.Peek(); c != -1 && field.size() < kMaxField; c = in.Peek()) {
    if (c == ',' || c == ' ' || c == '\t') {
      in.Advance();
      break;
    }
    if (SkipLineEnd(in)) break;
    field += static_cast<char>(c);
    in.Advance();
  }
  return NumberFromField(field);
}

}  // namespace quillon

#endif  // QUILLON_BASE_FIELD_READER_H_
