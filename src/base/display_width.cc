#include "base/display_width.h"

#include <algorithm>
#include <iterator>

namespace quillon {

namespace {

struct WidthRange {
  char32_t first;
  char32_t last;
  int columns;
};

// Every range of code points that does not take one column, in order.
const WidthRange kRanges[] = {
#include "display_width_table.inc"
};

const char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

size_t next_character(const std::string& text, size_t at, char32_t* code_point) {
  unsigned char lead = static_cast<unsigned char>(text[at]);
  *code_point = kReplacement;
  if (lead < 0x80) {
    *code_point = lead;
    return 1;
  }
  size_t size = lead >= 0xF5 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (size == 0 || at + size > text.size()) return 1;
  char32_t value = lead & (0x7F >> size);
  for (size_t i = 1; i < size; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[at + i]);
    if (!IsContinuation(byte)) return 1;
    value = (value << 6) | (byte & 0x3F);
  }
  // Overlong forms, surrogates and values past the last code point are not
  // characters.
  static const char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[size] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return 1;
  }
  *code_point = value;
  return size;
}

int code_point_width(char32_t code_point) {
  const WidthRange* end = std::end(kRanges);
  const WidthRange* range =
      std::upper_bound(std::begin(kRanges), end, code_point,
                       [](char32_t value, const WidthRange& r) { return value < r.first; });
  if (range == std::begin(kRanges)) return 1;
  --range;
  return code_point <= range->last ? range->columns : 1;
}

long display_width(const std::string& text, size_t from, size_t to) {
  to = std::min(to, text.size());
  long columns = 0;
  for (size_t at = from; at < to;) {
    char32_t code_point;
    at += next_character(text, at, &code_point);
    columns += code_point_width(code_point);
  }
  return columns;
}

}  // namespace quillon
