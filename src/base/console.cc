#include "base/console.h"

#include <algorithm>

#include "base/display_width.h"
#include "base/end_run.h"
#include "base/line_editor.h"
#include "base/text.h"

namespace quillon {

namespace {

const int kPollMilliseconds = 25;

// The progress line waits this long after a console line, so that short work
// shows none, and is drawn again at most this often.
const std::chrono::milliseconds kProgressDelay(500);
const std::chrono::milliseconds kProgressInterval(100);
const long kBarColumns = 20;

// Leaves the cursor at the start of the line, where the next console line
// writes over it after erasing it.
std::string ProgressLine(long long done, long long total, const char* phase, long width) {
  long filled = static_cast<long>(kBarColumns * done / total);
  std::string line = "[" + std::string(static_cast<size_t>(filled), '#') +
                     std::string(static_cast<size_t>(kBarColumns - filled), ' ') + "] " +
                     std::to_string(100 * done / total) + "% " + phase;
  line.resize(std::min(line.size(), static_cast<size_t>(std::max(width - 1, 0L))));
  return line + "\x1b[K\r";
}

}  // namespace

Console::Console(ConsoleDevice* device)
    : device_(device), output_(device->output()), last_line_at_(device->now()) {}

void Console::print_text(const std::string& text) {
  pending_ += text;
  size_t lf = text.rfind('\n');
  if (lf == std::string::npos) {
    column_ += text_length(text);
    screen_column_ += display_width(text);
  } else {
    column_ = static_cast<long>(text.size() - lf - 1);
    screen_column_ = display_width(text, lf + 1);
  }
  bool at_terminal = output_ != Output::kFile;
  if (at_terminal && lf != std::string::npos) {
    flush();
    if (output_ == Output::kSmartTerminal) last_line_at_ = device_->now();
  }
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
  if (progress_shown_) {
    pending_.insert(0, "\x1b[K");
    progress_shown_ = false;
  }
  if (pending_.empty()) return;
  write_out(pending_);
  pending_.clear();
}

void Console::progress(long long done, long long total, const char* phase) {
  if (output_ != Output::kSmartTerminal || !progress_on_ || column_ != 0 || total <= 0) {
    flush();
    return;
  }
  std::chrono::steady_clock::time_point now = device_->now();
  if (now - last_line_at_ < kProgressDelay) return;
  if (progress_shown_ && now - progress_drawn_at_ < kProgressInterval) return;
  // The line drawn before is written over in place.
  if (!pending_.empty()) flush();
  write_out(ProgressLine(std::min(std::max(done, 0LL), total), total, phase, device_->width()));
  progress_shown_ = true;
  progress_drawn_at_ = now;
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
  LineEditor editor(output_, screen_column_, device_->width());
  for (bool editing = true; editing;) {
    editing = editor.take(wait_key());
    // Keys already waiting, a paste above all, are taken before the line is
    // shown again.
    std::string key;
    while (editing && !(key = read_key()).empty()) editing = editor.take(key);
    write_out(editor.show());
  }
  const std::string& line = editor.text();
  if (output_ == Output::kFile) {
    print_text(line);
  } else {
    column_ += text_length(line);
    screen_column_ += display_width(line);
  }
  return line;
}

}  // namespace quillon
