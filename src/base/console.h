// The console: the program's lines on standard output (CR LF), command
// errors on standard error, keys and answer lines from the keyboard or, when
// standard input is not a terminal, from a script where every byte is a key.

#ifndef QUILLON_BASE_CONSOLE_H_
#define QUILLON_BASE_CONSOLE_H_

#include <memory>
#include <string>

#include "base/text.h"

namespace quillon {

enum class KeyStatus { kKey, kNone, kEnd };

/// The platform's side of the console.
class ConsoleDevice {
 public:
  virtual ~ConsoleDevice() = default;
  virtual void write_out(const char* data, size_t n) = 0;
  virtual void write_err(const char* data, size_t n) = 0;
  /// A whole warning line, its CR LF included; among the other lines unless
  /// a form of the run keeps warnings apart.
  virtual void write_warning(const char* data, size_t n) { write_out(data, n); }
  /// True for scripted input: every byte is one key, answers end at LF.
  virtual bool scripted() = 0;
  /// Waits up to `timeout_ms` for a key. A key without a character arrives
  /// as the byte 255 followed by its PC scan code.
  virtual KeyStatus next_key(int timeout_ms, std::string* key) = 0;
  /// Width of the console in characters.
  virtual int width() = 0;
};

/// The console of this process: standard input, output and error.
std::unique_ptr<ConsoleDevice> make_standard_console();

/// Scan codes of the keys the line editor knows.
namespace scan {
const int kHome = 71, kUp = 72, kPageUp = 73, kLeft = 75, kRight = 77, kEnd = 79, kDown = 80,
          kPageDown = 81, kInsert = 82, kDelete = 83;
}  // namespace scan

class Console {
 public:
  explicit Console(ConsoleDevice* device) : device_(device) {}
  ~Console() { flush(); }

  void print_text(const std::string& text);
  void print_line(const std::string& text = "");
  void print_number(long long value, Ending ending);
  /// A line on standard error, after everything printed so far.
  void print_error_line(const std::string& text);
  /// "Warning: " and the text, as a console line of its own: what the run
  /// adds beside the dialogue's lines, never instead of one.
  void print_warning(const std::string& text);
  void flush();

  /// "" when no key is waiting, else the key; ends the run when scripted
  /// input is used up.
  std::string read_key();
  /// Waits for a key; ends the run when scripted input is used up.
  std::string wait_key();

  /// Prints the prompt and "? ", reads an answer line, then prints CR LF.
  std::string ask_line(const std::string& prompt);
  /// Reads an answer line after a question already printed, then CR LF;
  /// `*at_end` tells whether scripted input ran out before the line ended.
  std::string answer_line(bool* at_end = nullptr);

 private:
  std::string edit_line();
  std::string scripted_line(bool* at_end);
  void redraw(const std::string& line, size_t old_cursor, size_t cursor);

  ConsoleDevice* device_;
  std::string pending_;
  long column_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_BASE_CONSOLE_H_
