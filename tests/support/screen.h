// What a person sees on a terminal with cursor control: the characters in
// their cells after the bytes the program wrote, so that a test can say what
// is on the screen rather than which bytes drew it. It knows what the
// program writes: characters of one or two columns and marks of none, CR,
// LF, backspace, bell, and ESC [ n A, C, D, K and J; a row that fills up
// keeps the cursor at its end until the next character wraps it.

#ifndef QUILLON_SUPPORT_SCREEN_H_
#define QUILLON_SUPPORT_SCREEN_H_

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/display_width.h"

namespace quillon {

class Screen {
 public:
  explicit Screen(int width) : width_(width) {}

  void Feed(const std::string& bytes) {
    for (size_t at = 0; at < bytes.size();) {
      char c = bytes[at];
      if (c == '\x1b' && at + 1 < bytes.size() && bytes[at + 1] == '[') {
        size_t end = bytes.find_first_not_of("0123456789;", at + 2);
        if (end == std::string::npos) return;
        Control(bytes[end], std::atoi(bytes.substr(at + 2, end - at - 2).c_str()));
        at = end + 1;
      } else if (c == '\r') {
        column_ = 0, ++at;
      } else if (c == '\n') {
        ++row_, ++at;
      } else if (c == '\b') {
        column_ = std::max(std::min(column_, width_ - 1) - 1, 0), ++at;
      } else if (c == '\a') {
        ++at;
      } else {
        char32_t code_point;
        size_t size = next_character(bytes, at, &code_point);
        Put(bytes.substr(at, size), code_point_width(code_point));
        at += size;
      }
    }
  }

  /// A row as text, without the blanks at its end.
  std::string Row(int row) const {
    std::string text;
    if (row < static_cast<int>(cells_.size())) {
      for (const std::string& cell : cells_[row]) {
        if (cell != kSecondHalf) text += cell.empty() ? " " : cell;
      }
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }
  int row() const { return row_; }
  /// The cursor's column; a full row's end counts as the last column.
  int column() const { return std::min(column_, width_ - 1); }

 private:
  std::vector<std::string>& Line(int row) {
    if (row >= static_cast<int>(cells_.size())) cells_.resize(row + 1);
    cells_[row].resize(width_);
    return cells_[row];
  }

  void Put(const std::string& bytes, int columns) {
    if (columns == 0) {
      if (column_ > 0) Line(row_)[std::min(column_, width_) - 1] += bytes;
      return;
    }
    if (column_ + columns > width_) ++row_, column_ = 0;
    std::vector<std::string>& line = Line(row_);
    line[column_] = bytes;
    // The second column of a wide character holds nothing of its own.
    if (columns == 2) line[column_ + 1] = kSecondHalf;
    column_ += columns;
  }

  void Control(char final_byte, int count) {
    count = std::max(count, 1);
    int column = std::min(column_, width_ - 1);
    switch (final_byte) {
      case 'A':
        row_ = std::max(row_ - count, 0);
        column_ = column;
        break;
      case 'C':
        column_ = std::min(column + count, width_ - 1);
        break;
      case 'D':
        column_ = std::max(column - count, 0);
        break;
      case 'K':
        Erase(row_, column_);
        break;
      case 'J':
        Erase(row_, column_);
        if (row_ + 1 < static_cast<int>(cells_.size())) cells_.resize(row_ + 1);
        break;
    }
  }

  void Erase(int row, int from) {
    std::vector<std::string>& line = Line(row);
    for (int i = std::min(from, width_); i < width_; ++i) line[i].clear();
  }

  static constexpr const char* kSecondHalf = "\x01";
  int width_;
  int row_ = 0;
  int column_ = 0;
  std::vector<std::vector<std::string>> cells_;
};

}  // namespace quillon

#endif  // QUILLON_SUPPORT_SCREEN_H_
