// Reading one field of a record, the same way from a file and from a console
// answer, so that what `write_quoted` writes reads back item by item.

#ifndef QUILLON_BASE_FIELD_READER_H_
#define QUILLON_BASE_FIELD_READER_H_

#include <cstdint>
#include <string>
#include <utility>

namespace quillon {

/// A byte stream to read fields from: peek() gives the next byte (0..255) or
/// -1 at the end, advance() moves past it. Keeps its own copy of the text, so
/// that `StringSource in(console.ask_line(...))` is safe.
class StringSource {
 public:
  explicit StringSource(std::string text) : text_(std::move(text)) {}
  int peek() const {
    return position_ < text_.size() ? static_cast<unsigned char>(text_[position_]) : -1;
  }
  void advance() { ++position_; }

 private:
  std::string text_;
  size_t position_ = 0;
};

namespace field_detail {

template <typename Source>
void skip_blanks(Source& in) {
  for (int c = in.peek(); c == ' ' || c == '\t'; c = in.peek()) in.advance();
}

// Consumes LF, CR or CR LF when one stands next; true when it did.
template <typename Source>
bool skip_line_end(Source& in) {
  int c = in.peek();
  if (c == '\n') {
    in.advance();
    return true;
  }
  if (c != '\r') return false;
  in.advance();
  if (in.peek() == '\n') in.advance();
  return true;
}

int32_t number_from_field(const std::string& field);

}  // namespace field_detail

/// The next field: quoted ("a, b") or plain (up to a comma or a line end,
/// inner and trailing blanks kept); the comma or line end after it is consumed.
template <typename Source>
std::string read_token_from(Source& in) {
  using namespace field_detail;
  skip_blanks(in);
  std::string field;
  if (in.peek() == '"') {
    in.advance();
    for (int c = in.peek(); c != -1; c = in.peek()) {
      if (c == '"') {
        in.advance();
        skip_blanks(in);
        if (in.peek() == ',') {
          in.advance();
        } else {
          skip_line_end(in);
        }
        return field;
      }
      if (skip_line_end(in)) return field;
      field += static_cast<char>(c);
      in.advance();
    }
    return field;
  }
  for (int c = in.peek(); c != -1; c = in.peek()) {
    if (c == ',') {
      in.advance();
      return field;
    }
    if (skip_line_end(in)) return field;
    field += static_cast<char>(c);
    in.advance();
  }
  return field;
}

/// The next field as a 32-bit whole number (see `read_number`).
template <typename Source>
int32_t read_number_from(Source& in) {
  using namespace field_detail;
  const size_t kMaxField = 67;
  skip_blanks(in);
  std::string field;
  for (int c = in.peek(); c != -1 && field.size() < kMaxField; c = in.peek()) {
    if (c == ',' || c == ' ' || c == '\t') {
      in.advance();
      break;
    }
    if (skip_line_end(in)) break;
    field += static_cast<char>(c);
    in.advance();
  }
  return number_from_field(field);
}

}  // namespace quillon

#endif  // QUILLON_BASE_FIELD_READER_H_
