// The program on a real terminal: a pseudo-terminal that the test opens
// itself. The key mode must be left on every way out, keys typed ahead must
// reach the menus, the answer editor must take cursor keys and whole
// characters, and a terminal without cursor control gets no escape sequence.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/screen.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

const char kFirstMenu[] = "<2> no, end";
const char kQuestion[] = "select file with line number = ? ";

// The test holds both sides of the terminal, so the slave's settings can be
// read after the program is gone.
class Terminal {
 public:
  explicit Terminal(int width = 80) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    slave_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
    if (slave_ < 0) throw std::runtime_error("cannot open the terminal's slave");
    struct winsize size = {};
    size.ws_row = 24;
    size.ws_col = static_cast<unsigned short>(width);
    ioctl(master_, TIOCSWINSZ, &size);
    tcgetattr(slave_, &initial_);
  }

  ~Terminal() {
    if (child_ > 0) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    close(slave_);
    close(master_);
  }

  /// Starts the program in the workspace on this terminal as its
  /// controlling terminal, with TERM set to `term` (unset for nullptr); the
  /// workspace gets the compare_in a run needs.
  void Start(const Workspace& workspace, const char* term = "xterm") {
    std::filesystem::create_directory(workspace.root() + "/compare_in");
    child_ = fork();
    if (child_ < 0) throw std::runtime_error("fork failed");
    if (child_ == 0) RunChild(workspace, term);
  }

  void Type(const std::string& keys) {
    for (size_t sent = 0; sent < keys.size();) {
      ssize_t put = write(master_, keys.data() + sent, keys.size() - sent);
      if (put <= 0) break;
      sent += static_cast<size_t>(put);
    }
  }

  /// Ctrl-C is typed, as a user would; other signals are sent.
  void End(int signal_number) {
    if (signal_number == SIGINT) {
      Type("\x03");
    } else {
      kill(child_, signal_number);
    }
  }

  /// Reads the terminal until `text` has appeared after the part of the
  /// output already waited for; false when the program ended first.
  bool WaitFor(const std::string& text) {
    for (auto deadline = Deadline(); std::chrono::steady_clock::now() < deadline; Drain(50)) {
      size_t found = output_.find(text, seen_);
      if (found != std::string::npos) {
        seen_ = found + text.size();
        return true;
      }
      if (Ended()) return false;
    }
    return false;
  }

  /// Waits for the program to end, reading what it still writes; the wait
  /// status, or -1 when it did not end.
  int WaitForEnd() {
    for (auto deadline = Deadline(); !Ended() && std::chrono::steady_clock::now() < deadline;)
      Drain(50);
    Drain(0);
    return ended_ ? status_ : -1;
  }

  void ExpectRestored() const {
    struct termios now = {};
    tcgetattr(slave_, &now);
    EXPECT_EQ(now.c_lflag, initial_.c_lflag);
    EXPECT_EQ(now.c_iflag, initial_.c_iflag);
    EXPECT_EQ(now.c_cc[VMIN], initial_.c_cc[VMIN]);
    EXPECT_TRUE((now.c_lflag & ICANON) && (now.c_lflag & ECHO));
  }

  const std::string& output() const { return output_; }

 private:
  // A bound for a run that went wrong, not an expectation on speed.
  static std::chrono::steady_clock::time_point Deadline() {
    return std::chrono::steady_clock::now() + std::chrono::seconds(30);
  }

  [[noreturn]] void RunChild(const Workspace& workspace, const char* term) {
    setsid();
    ioctl(slave_, TIOCSCTTY, 0);
    for (int fd : {0, 1, 2}) dup2(slave_, fd);
    close(slave_);
    close(master_);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (int signal_number : {SIGTERM, SIGHUP, SIGQUIT, SIGTSTP}) signal(signal_number, SIG_DFL);
    if (term != nullptr) {
      setenv("TERM", term, 1);
    } else {
      unsetenv("TERM");
    }
    ExecQuillon(workspace, {});
  }

  bool Ended() {
    if (!ended_ && waitpid(child_, &status_, WNOHANG) == child_) {
      ended_ = true;
      child_ = -1;
    }
    return ended_;
  }

  void Drain(int timeout_ms) {
    struct pollfd wanted = {master_, POLLIN, 0};
    while (poll(&wanted, 1, timeout_ms) > 0 && (wanted.revents & POLLIN)) {
      char buffer[4096];
      ssize_t got = read(master_, buffer, sizeof buffer);
      if (got <= 0) return;
      output_.append(buffer, static_cast<size_t>(got));
      timeout_ms = 0;
    }
  }

  int master_ = -1;
  int slave_ = -1;
  struct termios initial_ = {};
  pid_t child_ = -1;
  bool ended_ = false;
  int status_ = 0;
  std::string output_;
  size_t seen_ = 0;
};

// The selection question comes after the opening screens when compare_in
// holds two text files.
void StartAtTheQuestion(const Workspace& workspace, Terminal* terminal,
                        const char* term = "xterm") {
  Put(workspace, {{"a.txt", "alpha beta\r\n"}, {"b.txt", "gamma delta\r\n"}});
  terminal->Start(workspace, term);
  terminal->Type("111");
  ASSERT_TRUE(terminal->WaitFor(kQuestion)) << terminal->output();
}

// The first two keys wait on the terminal before the program even starts;
// the menus take single keys, unechoed.
TEST(TerminalTest, KeysTypedAheadAreKeptAndTheSettingsReturnAtTheNormalEnd) {
  Workspace workspace;
  Terminal terminal;
  terminal.Type("11");
  terminal.Start(workspace);
  ASSERT_TRUE(terminal.WaitFor("THE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY."))
      << terminal.output();
  ASSERT_TRUE(terminal.WaitFor("<2> end"));
  size_t menu_end = terminal.output().size();
  terminal.Type("2");
  int status = terminal.WaitForEnd();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  terminal.ExpectRestored();
  // Without echo the key itself never shows.
  EXPECT_EQ(terminal.output().find('2', menu_end), std::string::npos) << terminal.output();
}

// The program puts the settings back and ends by the same signal.
TEST(TerminalTest, SignalsAtAMenuOrInAnAnswerRestoreTheSettings) {
  const struct {
    int signal_number;
    bool in_answer;
  } cases[] = {{SIGINT, false}, {SIGTERM, false}, {SIGHUP, false}, {SIGINT, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(strsignal(c.signal_number)) + (c.in_answer ? " in an answer" : ""));
    Workspace workspace;
    Terminal terminal;
    if (c.in_answer) {
      StartAtTheQuestion(workspace, &terminal);
      terminal.Type("1");
    } else {
      terminal.Start(workspace);
      ASSERT_TRUE(terminal.WaitFor(kFirstMenu)) << terminal.output();
    }
    terminal.End(c.signal_number);
    int status = terminal.WaitForEnd();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal_number) << status;
    terminal.ExpectRestored();
  }
}

// Every script leaves the answer "1": the first question takes it for a.txt,
// the second refuses it as the same file, so one run tries two scripts.
TEST(TerminalTest, TheAnswerEditorTakesCursorAndEditingKeys) {
  const struct {
    const char* first;
    const char* second;
    int width;
  } cases[] = {// Left and Delete; the same with Ctrl held.
               {"3\x1b[D1\x1b[3~", "3\x1b[1;5D1\x1b[3~", 80},
               // Right and Backspace; Home and End of xterm.
               {"13\x1b[D\x1b[C\x7f", "x\x1b[H1\x1b[F\x7f", 80},
               // ESC (\033) alone clears; Tab puts blanks before the number.
               {"99\0331", "\t1", 80},
               // Function and unknown keys change nothing; on a narrow terminal Up and
               // Down move a whole line: ten x, Up, "1", Down, ten Backspaces.
               {"\x1bOP\x1b[[A\x1b[15;5~\x1b[24~\x1b[2~\x1b[5~\x1b[?1;2c1",
                "xxxxxxxxxx\x1b[A1\x1b[B\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f", 10}};
  for (const auto& scripts : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(scripts.first)));
    Workspace workspace;
    Terminal terminal(scripts.width);
    StartAtTheQuestion(workspace, &terminal);
    terminal.Type(std::string(scripts.first) + "\r");
    ASSERT_TRUE(terminal.WaitFor("1. file for compare: a.txt")) << terminal.output();
    ASSERT_TRUE(terminal.WaitFor(kQuestion)) << terminal.output();
    terminal.Type(std::string(scripts.second) + "\r");
    EXPECT_TRUE(terminal.WaitFor("the file is duplicated")) << terminal.output();
    terminal.End(SIGTERM);
    terminal.WaitForEnd();
    terminal.ExpectRestored();
  }
}

const char kAddressQuestion[] = "web address for destination search (example: ";

// From the selection question on: the two files, the default width, then the
// keys at the address question; the run ends at the results screen.
int AnswerTheAddress(const Workspace& workspace, Terminal* terminal, const char* term,
                     const std::string& keys) {
  StartAtTheQuestion(workspace, terminal, term);
  terminal->Type("1\r");
  if (!terminal->WaitFor(kQuestion)) return -1;
  terminal->Type("2\r");
  if (!terminal->WaitFor("<enter> = 100 :? ")) return -1;
  terminal->Type("\r");
  if (!terminal->WaitFor(kAddressQuestion) || !terminal->WaitFor("=? ")) return -1;
  terminal->Type(keys);
  if (!terminal->WaitFor("<...> any key to continue and end")) return -1;
  terminal->Type("x");
  return terminal->WaitForEnd();
}

// What the person sees on the address question's row once the run is over.
std::string AddressRow(const std::string& output) {
  Screen screen(80);
  screen.Feed(output);
  for (int row = 0; row <= screen.row(); ++row) {
    if (screen.Row(row).find(kAddressQuestion) == 0) return screen.Row(row);
  }
  return "";
}

const char kLeftKey[] = "\x1b[D";

std::string Repeated(const std::string& key, int times) {
  std::string keys;
  for (int i = 0; i < times; ++i) keys += key;
  return keys;
}

// The answer is what the person saw, and reaches the pages as such: typed
// with a mistake mended by Backspace and the cursor keys, or pasted whole.
// TERM=dumb or no TERM: not one escape sequence, and Backspace rubs out;
// the cursor keys are ignored, so the address ends as typed.
TEST(TerminalTest, TheAddressReachesThePagesAsThePersonSawIt) {
  // "ñandú.org" typed, a mistake rubbed out, then "www." put before it.
  const std::string nandu =
      "\xC3\xB1"
      "and\xC3\xBA.org";
  const std::string typed = nandu + "X\x7f" + Repeated(kLeftKey, 9) + "www.\r";
  // Wide letters and a combining mark: "中文" and "é.cn".
  const std::string wide = "\xE4\xB8\xAD\xE6\x96\x87", accent = "e\xCC\x81.cn";
  const struct {
    const char* term;
    std::string keys;
    std::string address;
    std::string plain_echo;  // What a terminal without cursor control gets, if it is one.
  } cases[] = {
      {"xterm", typed, "www." + nandu, ""},
      // Pasted in one piece; then the cursor goes back over the mark with its letter.
      {"xterm", wide + accent + Repeated(kLeftKey, 4) + "x\r", wide + "x" + accent, ""},
      {"dumb", typed, nandu + "www.", "=? " + nandu + "X\b \bwww.\r"},
      {nullptr, typed, nandu + "www.", "=? " + nandu + "X\b \bwww.\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.term ? c.term : "no TERM") + " " + c.address);
    Workspace workspace;
    Terminal terminal;
    int status = AnswerTheAddress(workspace, &terminal, c.term, c.keys);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << terminal.output();
    EXPECT_NE(workspace.read("htm_out/s_1.htm").find("site:" + c.address), std::string::npos);
    std::string row = AddressRow(terminal.output());
    EXPECT_EQ(row.substr(row.find("=? ") + 3), c.address) << row;
    if (c.plain_echo.empty()) continue;
    EXPECT_EQ(terminal.output().find('\x1b'), std::string::npos) << terminal.output();
    EXPECT_NE(terminal.output().find(c.plain_echo), std::string::npos);
  }
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
