// A console for tests: scripted keys in, everything printed captured as one
// stream in the order it was written.

#ifndef QUILLON_SUPPORT_FAKE_CONSOLE_H_
#define QUILLON_SUPPORT_FAKE_CONSOLE_H_

#include <string>

#include "base/console.h"

namespace quillon {

class FakeConsole : public ConsoleDevice {
 public:
  explicit FakeConsole(std::string keys = "") : keys_(std::move(keys)) {}

  void write_out(const char* data, size_t n) override { transcript_.append(data, n); }
  void write_err(const char* data, size_t n) override {
    transcript_.append(data, n);
    errors_.append(data, n);
  }
  bool scripted() override { return true; }
  KeyStatus next_key(int, std::string* key) override {
    if (next_ >= keys_.size()) return KeyStatus::kEnd;
    *key = std::string(1, keys_[next_++]);
    return KeyStatus::kKey;
  }
  int width() override { return 80; }
  Output output() override { return output_; }
  std::chrono::steady_clock::time_point now() override { return now_; }

  /// Output as to a terminal of that kind instead of a file.
  void set_output(Output output) { output_ = output; }
  /// The clock moves only when the test moves it.
  void advance(std::chrono::milliseconds time) { now_ += time; }

  const std::string& transcript() const { return transcript_; }
  /// What went to standard error alone.
  const std::string& errors() const { return errors_; }
  void clear() { transcript_.clear(), errors_.clear(); }

 private:
  std::string keys_;
  size_t next_ = 0;
  Output output_ = Output::kFile;
  std::chrono::steady_clock::time_point now_;
  std::string transcript_;
  std::string errors_;
};

}  // namespace quillon

#endif  // QUILLON_SUPPORT_FAKE_CONSOLE_H_
