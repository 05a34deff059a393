// The console on a POSIX terminal, or on scripted standard input. On a
// terminal the keys are read raw and without echo, and the terminal gets its
// own settings back on every way out: the normal end, exit(), and the signals
// that end or stop the program.

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "base/console.h"

namespace quillon {

namespace {

// Read by the signal handlers, so kept outside any object.
struct termios g_saved_settings;
struct termios g_key_settings;
volatile sig_atomic_t g_key_mode = 0;

// How long the rest of an escape sequence may take to arrive; a lone ESC
// waits this long before it counts as the Escape key.
const int kSequenceMilliseconds = 40;

const int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT};

void RestoreTerminal() {
  if (!g_key_mode) return;
  tcsetattr(STDIN_FILENO, TCSANOW, &g_saved_settings);
  g_key_mode = 0;
}

void SetHandler(int signal_number, void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal_number, &action, nullptr);
}

void Unblock(int signal_number) {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal_number);
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

// Lets the signal do what it would have done without the program's handler.
void RaiseDefault(int signal_number) {
  signal(signal_number, SIG_DFL);
  Unblock(signal_number);
  raise(signal_number);
}

void RestoreAndDie(int signal_number) {
  RestoreTerminal();
  RaiseDefault(signal_number);
}

// Ctrl-Z: the shell has the terminal's settings while the program is stopped;
// the key mode comes back when it goes on.
void RestoreAndStop(int signal_number) {
  int saved_errno = errno;
  bool was_in_key_mode = g_key_mode;
  RestoreTerminal();
  RaiseDefault(signal_number);
  SetHandler(signal_number, RestoreAndStop);
  if (was_in_key_mode) {
    g_key_mode = 1;
    tcsetattr(STDIN_FILENO, TCSANOW, &g_key_settings);
  }
  errno = saved_errno;
}

// A signal that was ignored when the program started (nohup) stays ignored.
void HandleUnlessIgnored(int signal_number, void (*handler)(int)) {
  struct sigaction old;
  if (sigaction(signal_number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) return;
  SetHandler(signal_number, handler);
}

// Raw keys, no echo; ISIG stays on so that Ctrl-C still interrupts. The
// settings change without a flush, so keys typed ahead are kept.
void EnterKeyMode() {
  if (tcgetattr(STDIN_FILENO, &g_saved_settings) != 0) return;
  g_key_settings = g_saved_settings;
  g_key_settings.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  g_key_settings.c_cc[VMIN] = 1;
  g_key_settings.c_cc[VTIME] = 0;
  static bool registered = false;
  if (!registered) {
    registered = true;
    atexit(RestoreTerminal);
    for (int signal_number : kEndingSignals) HandleUnlessIgnored(signal_number, RestoreAndDie);
    HandleUnlessIgnored(SIGTSTP, RestoreAndStop);
  }
  g_key_mode = 1;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &g_key_settings) != 0) g_key_mode = 0;
}

bool WriteAll(int fd, const char* data, size_t n) {
  while (n > 0) {
    ssize_t put = write(fd, data, n);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += put;
    n -= static_cast<size_t>(put);
  }
  return true;
}

std::string ExtendedKey(int code) {
  return std::string(1, static_cast<char>(255)) + static_cast<char>(code);
}

// A key as a sequence spells it: the final byte, and for "~" the number
// before it (VT220, xterm, rxvt); then the key's scan code.
struct SequenceKey {
  char final_byte;
  int number;
  int code;
};

const SequenceKey kSequenceKeys[] = {
    {'A', 0, scan::kUp},
    {'B', 0, scan::kDown},
    {'C', 0, scan::kRight},
    {'D', 0, scan::kLeft},
    {'H', 0, scan::kHome},
    {'F', 0, scan::kEnd},
    {'P', 0, 59},
    {'Q', 0, 60},
    {'R', 0, 61},
    {'S', 0, 62},
    {'~', 1, scan::kHome},
    {'~', 7, scan::kHome},
    {'~', 2, scan::kInsert},
    {'~', 3, scan::kDelete},
    {'~', 4, scan::kEnd},
    {'~', 8, scan::kEnd},
    {'~', 5, scan::kPageUp},
    {'~', 6, scan::kPageDown},
    {'~', 11, 59},
    {'~', 12, 60},
    {'~', 13, 61},
    {'~', 14, 62},
    {'~', 15, 63},
    {'~', 17, 64},
    {'~', 18, 65},
    {'~', 19, 66},
    {'~', 20, 67},
    {'~', 21, 68},
    {'~', 23, 133},
    {'~', 24, 134},
};

// The scan code of a sequence from its final byte and first number (0 when
// it has none); 0 for sequences the program does not know. Letters carry no
// number but "1" when a modifier follows (ESC [ 1 ; 5 A), which is ignored.
int ScanCode(char final_byte, int number) {
  bool letter = final_byte != '~';
  if (letter && number > 1) return 0;
  for (const SequenceKey& key : kSequenceKeys) {
    if (key.final_byte == final_byte && (letter || key.number == number)) return key.code;
  }
  return 0;
}

// The first number of the parameter bytes; -1 when they are not plain
// numbers separated by ";" (private and intermediate bytes).
int FirstNumber(const std::string& parameters) {
  int number = 0;
  bool first = true;
  for (char c : parameters) {
    if (c == ';') {
      first = false;
    } else if (c >= '0' && c <= '9') {
      if (first && number < 1000) number = number * 10 + (c - '0');
    } else {
      return -1;
    }
  }
  return number;
}

// A terminal has cursor control unless TERM says it has none: "dumb" (an
// editor's shell buffer, a serial line, some CI logs) or nothing at all.
Output StandardOutput() {
  if (!isatty(STDOUT_FILENO)) return Output::kFile;
  const char* term = getenv("TERM");
  bool dumb = term == nullptr || *term == '\0' || std::strcmp(term, "dumb") == 0;
  return dumb ? Output::kPlainTerminal : Output::kSmartTerminal;
}

class PosixConsole : public ConsoleDevice {
 public:
  PosixConsole() : scripted_(!isatty(STDIN_FILENO)), output_(StandardOutput()) {
    if (!scripted_) EnterKeyMode();
  }
  ~PosixConsole() override { RestoreTerminal(); }

  void write_out(const char* data, size_t n) override {
    if (!WriteAll(STDOUT_FILENO, data, n)) output_lost_ = true;
  }
  bool output_lost() override { return output_lost_; }
  void write_err(const char* data, size_t n) override { WriteAll(STDERR_FILENO, data, n); }
  bool scripted() override { return scripted_; }
  Output output() override { return output_; }

  KeyStatus next_key(int timeout_ms, std::string* key) override {
    int c = NextByte(scripted_ ? -1 : timeout_ms);
    if (c == kEndOfInput) return KeyStatus::kEnd;
    if (c == kNoByte) return KeyStatus::kNone;
    if (scripted_ || c != 0x1b) {
      *key = std::string(1, static_cast<char>(c));
      return KeyStatus::kKey;
    }
    return EscapeSequence(key);
  }

  int width() override {
    struct winsize size;
    for (int fd : {STDOUT_FILENO, STDIN_FILENO}) {
      if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    }
    return 80;
  }

 private:
  static const int kNoByte = -1;
  static const int kEndOfInput = -2;

  // The next input byte, waiting up to `timeout_ms` (-1: as long as it
  // takes); kNoByte when none came in time.
  int NextByte(int timeout_ms) {
    if (start_ < end_) return static_cast<unsigned char>(buffer_[start_++]);
    if (at_end_) return kEndOfInput;
    if (timeout_ms >= 0) {
      struct pollfd wanted = {STDIN_FILENO, POLLIN, 0};
      int ready = poll(&wanted, 1, timeout_ms);
      if (ready == 0 || (ready < 0 && errno == EINTR)) return kNoByte;
    }
    for (;;) {
      ssize_t got = read(STDIN_FILENO, buffer_, sizeof buffer_);
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

  // Gives the byte just read back, for the next read.
  void Unread() { --start_; }

  // After an ESC: a cursor or function key, the Escape key itself, or
  // nothing for a sequence the program does not know (dropped whole).
  KeyStatus EscapeSequence(std::string* key) {
    int introducer = NextByte(kSequenceMilliseconds);
    if (introducer != '[' && introducer != 'O') {
      if (introducer >= 0) Unread();
      *key = "\x1b";
      return KeyStatus::kKey;
    }
    std::string parameters;
    for (;;) {
      int c = NextByte(kSequenceMilliseconds);
      if (c < 0) return KeyStatus::kNone;
      if (c < 0x20 || c > 0x7e) {
        Unread();  // not part of a sequence: a key of its own
        return KeyStatus::kNone;
      }
      if (c <= 0x3f) {
        parameters += static_cast<char>(c);
        continue;
      }
      if (c == '[' && introducer == '[' && parameters.empty()) return LinuxFunctionKey(key);
      int number = FirstNumber(parameters);
      int code = number < 0 ? 0 : ScanCode(static_cast<char>(c), number);
      if (code == 0) return KeyStatus::kNone;
      *key = ExtendedKey(code);
      return KeyStatus::kKey;
    }
  }

  // The Linux console writes F1-F5 as ESC [ [ A to ESC [ [ E.
  KeyStatus LinuxFunctionKey(std::string* key) {
    int c = NextByte(kSequenceMilliseconds);
    if (c < 'A' || c > 'E') return KeyStatus::kNone;
    *key = ExtendedKey(59 + (c - 'A'));
    return KeyStatus::kKey;
  }

  bool scripted_;
  bool output_lost_ = false;
  Output output_;
  char buffer_[4096];
  size_t start_ = 0;
  size_t end_ = 0;
  bool at_end_ = false;
};

}  // namespace

std::unique_ptr<ConsoleDevice> make_standard_console() {
  return std::make_unique<PosixConsole>();
}

}  // namespace quillon
