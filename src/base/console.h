// The console: the program's lines on standard output (CR LF), command
// errors on standard error, keys and answer lines from the keyboard or, when
// standard input is not a terminal, from a script where every byte is a key.

#ifndef QUILLON_BASE_CONSOLE_H_
#define QUILLON_BASE_CONSOLE_H_

#include <chrono>
#include <memory>
#include <string>

#include "base/text.h"

namespace quillon {

enum class KeyStatus { kKey, kNone, kEnd };

/// What standard output talks to. The device decides it once, when it is
/// made; the console's output, the progress line and the line editor all go
/// by that one answer.
enum class Output {
  kFile,           ///< A file or a pipe: the dialogue's bytes and nothing else.
  kPlainTerminal,  ///< A terminal without cursor control: plain echo, no escape sequence.
  kSmartTerminal,  ///< A terminal with it: the editor's redraws and the progress line.
};

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
  /// True once output could not be written (a full device, a closed pipe).
  virtual bool output_lost() { return false; }
  virtual Output output() { return Output::kFile; }
  /// The time that paces the progress line.
  virtual std::chrono::steady_clock::time_point now() { return std::chrono::steady_clock::now(); }
};

/// The console of this process: standard input, output and error.
std::unique_ptr<ConsoleDevice> make_standard_console();

/// Scan codes of the keys the line editor knows.
namespace scan {
const int kHome = 71, kUp = 72, kPageUp = 73, kLeft = 75, kRight = 77, kEnd = 79, kDown = 80,
          kPageDown = 81, kInsert = 82, kDelete = 83;
}  // namespace scan

/// The program's side of the console. At a terminal every line is written
/// out when it is complete; to a file or a pipe output gathers, and is
/// written out before every wait, at every progress report and at the end.
class Console {
 public:
  explicit Console(ConsoleDevice* device);
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
  /// True when the answers come from a script, not from a person.
  bool scripted() { return device_->scripted(); }
  /// True once the program's lines could not all be written out.
  bool output_lost() {
    flush();
    return device_->output_lost();
  }

  /// How far the work since the last console line is: `done` of `total`
  /// (bytes, records, pages) in `phase`. At a terminal with cursor control,
  /// once the work has gone on for half a second, a line below the last
  /// console line shows it, redrawn at most ten times a second and erased
  /// before anything else is written; it never reaches a file or a pipe.
  void progress(long long done, long long total, const char* phase);
  /// Whether the progress line may be shown at all (--quiet turns it off).
  void show_progress(bool on) { progress_on_ = on; }

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
  void write_out(const std::string& bytes) { device_->write_out(bytes.data(), bytes.size()); }

  ConsoleDevice* device_;
  const Output output_;
  std::string pending_;
  /// Bytes since the last line end, for print zones.
  long column_ = 0;
  /// Columns since the last line end, where the person sees the cursor.
  long screen_column_ = 0;
  bool progress_on_ = true;
  bool progress_shown_ = false;
  std::chrono::steady_clock::time_point last_line_at_;
  std::chrono::steady_clock::time_point progress_drawn_at_;
};

}  // namespace quillon

#endif  // QUILLON_BASE_CONSOLE_H_
