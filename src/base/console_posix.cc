#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "base/console.h"

namespace quillon {

namespace {

// The terminal's settings before the program changed them; restored on every
// way out, signals included.
struct termios g_saved_settings;
volatile sig_atomic_t g_settings_changed = 0;

void RestoreTerminal() {
  if (g_settings_changed) {
    tcsetattr(STDIN_FILENO, TCSANOW, &g_saved_settings);
    g_settings_changed = 0;
  }
}

void RestoreAndReraise(int signal_number) {
  RestoreTerminal();
  signal(signal_number, SIG_DFL);
  raise(signal_number);
}

void WriteAll(int fd, const char* data, size_t n) {
  while (n > 0) {
    ssize_t put = write(fd, data, n);
    if (put < 0) {
      if (errno == EINTR) continue;
      return;
    }
    data += put;
    n -= static_cast<size_t>(put);
  }
}

// Maps the final byte and first parameter of an escape sequence to a scan code;
// 0 for sequences the program does not know.
int ScanCode(char final, int parameter) {
  switch (final) {
    case 'A': return scan::kUp;
    case 'B': return scan::kDown;
    case 'C': return scan::kRight;
    case 'D': return scan::kLeft;
    case 'H': return scan::kHome;
    case 'F': return scan::kEnd;
    case 'P': return 59;
    case 'Q': return 60;
    case 'R': return 61;
    case 'S': return 62;
    case '~': break;
    default: return 0;
  }
  switch (parameter) {
    case 1: case 7: return scan::kHome;
    case 2: return scan::kInsert;
    case 3: return scan::kDelete;
    case 4: case 8: return scan::kEnd;
    case 5: return scan::kPageUp;
    case 6: return scan::kPageDown;
    case 11: case 12: case 13: case 14: case 15: return 59 + parameter - 11;
    case 17: case 18: case 19: case 20: case 21: return 64 + parameter - 17;
    case 23: return 133;
    case 24: return 134;
    default: return 0;
  }
}

class PosixConsole : public ConsoleDevice {
 public:
  PosixConsole() : scripted_(!isatty(STDIN_FILENO)) {
    if (!scripted_) EnterKeyMode();
  }
  ~PosixConsole() override { RestoreTerminal(); }

  void WriteOut(const char* data, size_t n) override { WriteAll(STDOUT_FILENO, data, n); }
  void WriteErr(const char* data, size_t n) override { WriteAll(STDERR_FILENO, data, n); }
  bool Scripted() override { return scripted_; }

  KeyStatus NextKey(int timeout_ms, std::string* key) override {
    int c = NextByte(scripted_ ? -1 : timeout_ms);
    if (c == kEndOfInput) return KeyStatus::kEnd;
    if (c == kNoByte) return KeyStatus::kNone;
    if (scripted_ || c != 0x1b) {
      *key = std::string(1, static_cast<char>(c));
      return KeyStatus::kKey;
    }
    return EscapeSequence(key);
  }

  int Width() override {
    struct winsize size;
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
  }

 private:
  static const int kNoByte = -1;
  static const int kEndOfInput = -2;

  void EnterKeyMode() {
    if (tcgetattr(STDIN_FILENO, &g_saved_settings) != 0) return;
    struct termios raw = g_saved_settings;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
      signal(signal_number, RestoreAndReraise);
    }
    atexit(RestoreTerminal);
    if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0) g_settings_changed = 1;
  }

  // The next input byte; kNoByte when none came in time.
  int NextByte(int timeout_ms) {
    if (start_ < end_) return static_cast<unsigned char>(buffer_[start_++]);
    if (at_end_) return kEndOfInput;
    if (timeout_ms >= 0) {
      struct pollfd wanted = {STDIN_FILENO, POLLIN, 0};
      int ready = poll(&wanted, 1, timeout_ms);
      if (ready == 0 || (ready < 0 && errno == EINTR)) return kNoByte;
    }
    for (;;) {
      ssize_t got = read(STDIN_FILENO, buffer_, scripted_ ? sizeof buffer_ : 1);
      if (got > 0) {
        start_ = 1;
        end_ = static_cast<size_t>(got);
        return static_cast<unsigned char>(buffer_[0]);
      }
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 && errno == EAGAIN) return kNoByte;
      at_end_ = true;
      return kEndOfInput;
    }
  }

  KeyStatus EscapeSequence(std::string* key) {
    int introducer = NextByte(40);
    if (introducer != '[' && introducer != 'O') {
      if (introducer >= 0) --start_;  // a key of its own, read next time
      *key = "\x1b";
      return KeyStatus::kKey;
    }
    int parameter = 0;
    bool first = true;
    for (;;) {
      int c = NextByte(40);
      if (c < 0) return KeyStatus::kNone;
      if (c >= '0' && c <= '9') {
        if (first) parameter = parameter * 10 + (c - '0');
        continue;
      }
      if (c == ';') {
        first = false;
        continue;
      }
      int code = ScanCode(static_cast<char>(c), parameter);
      if (code == 0) return KeyStatus::kNone;
      *key = std::string(1, static_cast<char>(255)) + static_cast<char>(code);
      return KeyStatus::kKey;
    }
  }

  bool scripted_;
  char buffer_[4096];
  size_t start_ = 0;
  size_t end_ = 0;
  bool at_end_ = false;
};

}  // namespace

std::unique_ptr<ConsoleDevice> MakeStandardConsole() { return std::make_unique<PosixConsole>(); }

}  // namespace quillon
