#include "base/line_editor.h"

#include "base/display_width.h"
#include "base/text.h"

namespace quillon {

namespace {

const char kControlA = 1, kControlE = 5, kControlK = 11, kControlU = 21, kControlW = 23;

bool IsExtended(const std::string& key, int code) {
  return key.size() == 2 && static_cast<unsigned char>(key[0]) == 255 &&
         static_cast<unsigned char>(key[1]) == code;
}

bool IsControl(const std::string& key, char control) {
  return key.size() == 1 && key[0] == control;
}

// The bytes a UTF-8 lead byte announces; 1 for a byte that starts no longer
// character.
size_t AnnouncedSize(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return 2;
  if (byte >= 0xE0 && byte <= 0xEF) return 3;
  if (byte >= 0xF0 && byte <= 0xF4) return 4;
  return 1;
}

// Cursor movement; a count of 0 would move one column, so it writes nothing.
std::string Move(long count, char direction) {
  return count > 0 ? "\x1b[" + std::to_string(count) + direction : "";
}

// What takes back `columns` columns at the end of a line on a terminal
// without cursor control.
std::string Rubout(long columns) {
  std::string back(static_cast<size_t>(columns), '\b');
  return back + blank_text(columns) + back;
}

}  // namespace

LineEditor::LineEditor(Output output, long column, long width)
    : output_(output), width_(width > 0 ? width : 80) {
  start_column_ = column % width_;
  // A prompt that filled its last row leaves the cursor at that row's end
  // until the next character moves it on.
  wrap_pending_ = column > 0 && start_column_ == 0;
}

bool LineEditor::take(const std::string& key) {
  unsigned char byte = static_cast<unsigned char>(key[0]);
  if (key.size() == 1 && byte >= 0x80) {
    take_character(key);
    return true;
  }
  end_partial();
  bool movable = output_ != Output::kPlainTerminal;
  long column = display_width(text_, 0, cursor_);
  if (key == "\r" || key == "\n") {
    move_to(text_.size());
    return false;
  } else if (key == "\b" || key == "\x7f") {
    if (cursor_ > 0) erase(letters_before(cursor_), cursor_);
  } else if (key == "\x1b") {
    erase(0, text_.size());
  } else if (IsControl(key, kControlU)) {
    erase(0, cursor_);
  } else if (IsControl(key, kControlK)) {
    erase(cursor_, text_.size());
  } else if (IsControl(key, kControlW)) {
    // Blanks never occur inside a character, so stepping over bytes is safe.
    size_t at = cursor_;
    while (at > 0 && text_[at - 1] == ' ') --at;
    while (at > 0 && text_[at - 1] != ' ') --at;
    erase(at, cursor_);
  } else if (key == "\t") {
    insert(blank_text(8 - column % 8));
  } else if (IsExtended(key, scan::kDelete)) {
    if (cursor_ < text_.size()) {
      erase(cursor_, cell_after(cursor_));
    } else {
      beep();
    }
  } else if (key.size() == 1 && byte >= 32 && byte != 0x7f) {
    insert(key);
  } else if (!movable) {
    // Without cursor control the cursor stays at the end.
  } else if (IsExtended(key, scan::kLeft)) {
    move_to(cell_before(cursor_));
  } else if (IsExtended(key, scan::kRight)) {
    move_to(cell_after(cursor_));
  } else if (IsExtended(key, scan::kHome) || IsControl(key, kControlA)) {
    move_to(0);
  } else if (IsExtended(key, scan::kEnd) || IsControl(key, kControlE)) {
    move_to(text_.size());
  } else if (IsExtended(key, scan::kUp)) {
    if (column >= width_) move_to(cell_at_column(column - width_));
  } else if (IsExtended(key, scan::kDown)) {
    if (column + width_ <= display_width(text_)) move_to(cell_at_column(column + width_));
  }
  return true;
}

std::string LineEditor::show() {
  if (output_ == Output::kSmartTerminal && changed_) redraw();
  changed_ = false;
  std::string shown;
  shown.swap(out_);
  return shown;
}

// The bytes of a character arrive one key each; it is inserted whole once
// its last byte is in. Anything else that comes first ends it, and its bytes
// are kept as they are.
void LineEditor::take_character(const std::string& key) {
  unsigned char byte = static_cast<unsigned char>(key[0]);
  if (!partial_.empty() && (byte & 0xC0) == 0x80) {
    partial_ += key;
    if (partial_.size() == partial_size_) end_partial();
    return;
  }
  end_partial();
  partial_ = key;
  partial_size_ = AnnouncedSize(byte);
  if (partial_size_ == 1) end_partial();
}

void LineEditor::end_partial() {
  if (partial_.empty()) return;
  std::string bytes;
  bytes.swap(partial_);
  insert(bytes);
}

std::vector<LineEditor::Letter> LineEditor::letters() const {
  std::vector<Letter> all;
  long column = 0;
  for (size_t at = 0; at < text_.size();) {
    char32_t code_point;
    size_t size = next_character(text_, at, &code_point);
    int columns = code_point_width(code_point);
    all.push_back({at, column, columns, all.empty() || columns > 0});
    column += columns;
    at += size;
  }
  all.push_back({text_.size(), column, 0, true});
  return all;
}

size_t LineEditor::letters_before(size_t at) const {
  size_t start = 0;
  for (const Letter& letter : letters()) {
    if (letter.start >= at) break;
    start = letter.start;
  }
  return start;
}

size_t LineEditor::cell_before(size_t at) const {
  size_t start = 0;
  for (const Letter& letter : letters()) {
    if (letter.start >= at) break;
    if (letter.starts_cell) start = letter.start;
  }
  return start;
}

size_t LineEditor::cell_after(size_t at) const {
  for (const Letter& letter : letters()) {
    if (letter.start > at && letter.starts_cell) return letter.start;
  }
  return text_.size();
}

size_t LineEditor::cell_at_column(long column) const {
  size_t start = 0;
  for (const Letter& letter : letters()) {
    if (letter.column > column) break;
    if (letter.starts_cell) start = letter.start;
  }
  return start;
}

void LineEditor::insert(const std::string& bytes) {
  text_.insert(cursor_, bytes);
  cursor_ += bytes.size();
  if (output_ == Output::kPlainTerminal) out_ += bytes;
  // A letter put before a mark takes the mark: the cursor goes past both.
  for (const Letter& letter : letters()) {
    if (letter.start >= cursor_ && letter.starts_cell) {
      cursor_ = letter.start;
      break;
    }
  }
  changed_ = true;
}

void LineEditor::erase(size_t from, size_t to) {
  if (from >= to) return;
  if (output_ == Output::kPlainTerminal) out_ += Rubout(display_width(text_, from, to));
  text_.erase(from, to - from);
  cursor_ = from;
  changed_ = true;
}

void LineEditor::move_to(size_t at) {
  if (at == cursor_) return;
  cursor_ = at;
  changed_ = true;
}

void LineEditor::beep() {
  if (output_ != Output::kFile) out_ += '\a';
}

// Writes the answer again from its first column and clears what is left of
// the old one below it, then puts the cursor back. A letter that does not fit
// in a row goes to the next, as the terminal puts it.
void LineEditor::redraw() {
  long end_row = 0, end_column = start_column_;
  long cursor_row = 0, cursor_column = start_column_;
  for (const Letter& letter : letters()) {
    if (letter.start == cursor_) cursor_row = end_row, cursor_column = end_column;
    if (letter.columns > 0 && end_column + letter.columns > width_) ++end_row, end_column = 0;
    end_column += letter.columns;
  }
  std::string& out = out_;
  if (wrap_pending_) out += " \r";
  wrap_pending_ = false;
  out += Move(cursor_row_, 'A');
  out += '\r';
  out += Move(start_column_, 'C');
  out += text_;
  // A full last row: the terminal keeps the cursor at its end until the next
  // character, so one is written and taken back.
  if (end_column == width_) {
    out += " \r";
    ++end_row;
    end_column = 0;
  }
  out += "\x1b[J";
  if (cursor_column >= width_) ++cursor_row, cursor_column = 0;
  out += Move(end_row - cursor_row, 'A');
  out += '\r';
  out += Move(cursor_column, 'C');
  cursor_row_ = cursor_row;
}

}  // namespace quillon
