#include "base/console.h"

#include "base/end_run.h"
#include "base/text.h"

namespace quillon {

namespace {

const int kPollMilliseconds = 25;

bool IsExtended(const std::string& key, int code) {
  return key.size() == 2 && static_cast<unsigned char>(key[0]) == 255 &&
         static_cast<unsigned char>(key[1]) == code;
}

}  // namespace

void Console::print_text(const std::string& text) {
  pending_ += text;
  size_t lf = text.rfind('\n');
  column_ = lf == std::string::npos ? column_ + text_length(text)
                                    : static_cast<long>(text.size() - lf - 1);
  if (pending_.size() >= 8192) flush();
}

void Console::print_line(const std::string& text) {
  print_text(text);
  print_text("\r\n");
}

void Console::print_number(long long value, Ending ending) {
  print_text(signed_number_text(value));
  if (ending == Ending::kLine) print_line();
  if (ending == Ending::kZone) print_text(blank_text(zone_padding(column_)));
}

void Console::print_error_line(const std::string& text) {
  flush();
  std::string line = text + "\r\n";
  device_->write_err(line.data(), line.size());
}

void Console::print_warning(const std::string& text) {
  if (column_ != 0) print_line();
  flush();
  std::string line = "Warning: " + text + "\r\n";
  device_->write_warning(line.data(), line.size());
}

void Console::flush() {
  if (pending_.empty()) return;
  device_->write_out(pending_.data(), pending_.size());
  pending_.clear();
}

std::string Console::read_key() {
  flush();
  std::string key;
  KeyStatus status = device_->next_key(0, &key);
  if (status == KeyStatus::kEnd) end_run();
  return status == KeyStatus::kKey ? key : "";
}

std::string Console::wait_key() {
  flush();
  std::string key;
  for (;;) {
    KeyStatus status = device_->next_key(kPollMilliseconds, &key);
    if (status == KeyStatus::kEnd) end_run();
    if (status == KeyStatus::kKey) return key;
  }
}

std::string Console::ask_line(const std::string& prompt) {
  print_text(prompt);
  print_text("? ");
  return answer_line();
}

std::string Console::answer_line(bool* at_end) {
  flush();
  bool ended = false;
  std::string answer = device_->scripted() ? scripted_line(&ended) : edit_line();
  if (at_end) *at_end = ended;
  print_line();
  return answer;
}

std::string Console::scripted_line(bool* at_end) {
  std::string answer;
  std::string key;
  *at_end = true;
  while (device_->next_key(-1, &key) == KeyStatus::kKey) {
    if (key == "\n") {
      if (!answer.empty() && answer.back() == '\r') answer.pop_back();
      *at_end = false;
      break;
    }
    answer += key;
  }
  print_text(answer);
  return answer;
}

std::string Console::edit_line() {
  std::string line;
  size_t cursor = 0;
  for (;;) {
    std::string key = wait_key();
    size_t old_cursor = cursor;
    size_t width = static_cast<size_t>(device_->width() > 0 ? device_->width() : 80);
    if (key == "\r" || key == "\n") break;
    if (IsExtended(key, scan::kLeft)) {
      if (cursor > 0) --cursor;
    } else if (IsExtended(key, scan::kRight)) {
      if (cursor < line.size()) ++cursor;
    } else if (IsExtended(key, scan::kHome)) {
      cursor = 0;
    } else if (IsExtended(key, scan::kEnd)) {
      cursor = line.size();
    } else if (IsExtended(key, scan::kUp)) {
      if (cursor >= width) cursor -= width;
    } else if (IsExtended(key, scan::kDown)) {
      if (cursor + width <= line.size()) cursor += width;
    } else if (IsExtended(key, scan::kDelete)) {
      if (cursor < line.size()) {
        line.erase(cursor, 1);
      } else {
        device_->write_out("\a", 1);
      }
    } else if (key == "\b" || key == "\x7f") {
      if (cursor > 0) line.erase(--cursor, 1);
    } else if (key == "\t") {
      size_t blanks = 8 - cursor % 8;
      line.insert(cursor, blanks, ' ');
      cursor += blanks;
    } else if (key == "\x1b") {
      line.clear();
      cursor = 0;
    } else if (key.size() == 1 && static_cast<unsigned char>(key[0]) >= 32) {
      line.insert(cursor++, key);
    } else {
      continue;
    }
    redraw(line, old_cursor, cursor);
  }
  column_ += text_length(line);
  return line;
}

// Draws the answer again from its first column, leaving the cursor in place.
void Console::redraw(const std::string& line, size_t old_cursor, size_t cursor) {
  std::string out;
  if (old_cursor > 0) out += "\x1b[" + std::to_string(old_cursor) + "D";
  out += line;
  out += "\x1b[K";
  if (line.size() > cursor) out += "\x1b[" + std::to_string(line.size() - cursor) + "D";
  device_->write_out(out.data(), out.size());
}

}  // namespace quillon
