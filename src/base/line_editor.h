// The answer line as a person edits it at a terminal: whole characters, a
// cursor that stands where the person sees it, and the bytes that show the
// line again after each change.

#ifndef QUILLON_BASE_LINE_EDITOR_H_
#define QUILLON_BASE_LINE_EDITOR_H_

#include <string>
#include <vector>

#include "base/console.h"

namespace quillon {

class LineEditor {
 public:
  /// The answer starts `column` columns after the last line end, on a
  /// terminal `width` columns wide (or, for Output::kFile, on none at all:
  /// nothing is shown).
  LineEditor(Output output, long column, long width);

  /// Takes one key as the console reads it (a byte, or 255 and a scan
  /// code); false for the key that ends the line.
  bool take(const std::string& key);
  /// What to write to show the changes since the last call.
  std::string show();
  /// The answer: exactly the bytes on the screen.
  const std::string& text() const { return text_; }

 private:
  /// A character of the answer; the last one stands for its end.
  struct Letter {
    size_t start;
    long column;       ///< Columns before it, from the answer's start.
    int columns;       ///< Columns it takes.
    bool starts_cell;  ///< False for a mark that goes with the letter before it.
  };
  std::vector<Letter> letters() const;
  /// The start of the character before `at`.
  size_t letters_before(size_t at) const;
  /// A cell is a letter and the marks after it; the cursor stands only
  /// between cells, where the person sees it.
  size_t cell_before(size_t at) const;
  size_t cell_after(size_t at) const;
  size_t cell_at_column(long column) const;

  void take_character(const std::string& bytes);
  void end_partial();
  void insert(const std::string& bytes);
  void erase(size_t from, size_t to);
  void move_to(size_t at);
  void beep();
  void redraw();

  const Output output_;
  const long width_;
  long start_column_;
  bool wrap_pending_;
  std::string text_;
  size_t cursor_ = 0;
  /// The first bytes of a character whose other bytes are still to come.
  std::string partial_;
  size_t partial_size_ = 0;
  std::string out_;
  bool changed_ = false;
  /// Rows below the answer's first where the cursor was left.
  long cursor_row_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_BASE_LINE_EDITOR_H_
