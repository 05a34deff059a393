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
#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/screen.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

const char kQuestion[] = "select file with line number = ? ";

// The test holds both sides of the terminal, so the slave's settings can be
// read after the program is gone.
class Terminal {
 public:
  Terminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    slave_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
    if (slave_ < 0) throw std::runtime_error("cannot open the terminal's slave");
    struct winsize size = {};
    size.ws_row = 24;
    size.ws_col = 80;
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
  /// controlling terminal, with TERM set to `term`; the workspace gets the
  /// compare_in a run needs.
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

  /// Key 2 or Ctrl-C is typed, as a user would; other signals are sent.
  void End(int signal_number) {
    if (signal_number == 0 || signal_number == SIGINT) {
      Type(signal_number == 0 ? "2" : "\x03");
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
    setenv("TERM", term, 1);
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
// the menus take single keys, unechoed. Key 2 at the third screen ends the
// run; a signal there or in an answer ends it by the same signal. Either way
// the settings are put back.
TEST(TerminalTest, KeysTypedAheadAreKeptAndTheSettingsReturnOnEveryWayOut) {
  const struct {
    int signal_number;  // 0: key 2 ends the run.
    bool in_answer;
  } cases[] = {{0, false}, {SIGINT, false}, {SIGTERM, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.signal_number) + (c.in_answer ? " in an answer" : ""));
    Workspace workspace;
    Terminal terminal;
    if (c.in_answer) {
      StartAtTheQuestion(workspace, &terminal);
      terminal.Type("1");
    } else {
      terminal.Type("11");
      terminal.Start(workspace);
      ASSERT_TRUE(terminal.WaitFor("THE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY."))
          << terminal.output();
      ASSERT_TRUE(terminal.WaitFor("<2> end"));
    }
    size_t menu_end = terminal.output().size();
    terminal.End(c.signal_number);
    int status = terminal.WaitForEnd();
    if (c.signal_number == 0) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
      // Without echo the key itself never shows.
      EXPECT_EQ(terminal.output().find('2', menu_end), std::string::npos) << terminal.output();
    } else {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal_number) << status;
    }
    terminal.ExpectRestored();
  }
}

const char kAddressQuestion[] = "web address for destination search (example: ";

// From the selection question on: the keys that choose the two files, the
// default width, then the keys at the address question; the run ends at the
// results screen.
int AnswerTheAddress(const Workspace& workspace, Terminal* terminal, const char* term,
                     const std::string& first, const std::string& second, const std::string& keys) {
  StartAtTheQuestion(workspace, terminal, term);
  terminal->Type(first);
  if (!terminal->WaitFor("1. file for compare: a.txt") || !terminal->WaitFor(kQuestion)) return -1;
  terminal->Type(second);
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

// The answers are what the person saw, and reach the pages as such: at the
// selection questions function keys change nothing, then Left and Delete,
// Home, End and Backspace mend them; the address is typed with a mistake
// mended by Backspace and the cursor keys. TERM=dumb: not one escape
// sequence, and Backspace rubs out; the cursor keys are ignored, so the
// address ends as typed.
TEST(TerminalTest, TheAnswersReachThePagesAsThePersonSawThem) {
  // "ñandú.org" typed, a mistake rubbed out, then "www." put before it.
  const std::string nandu =
      "\xC3\xB1"
      "and\xC3\xBA.org";
  std::string typed = nandu + "X\x7f";
  for (int left = 0; left < 9; ++left) typed += "\x1b[D";
  typed += "www.\r";
  const struct {
    const char* term;
    std::string first, second, address, plain_echo;  // What a terminal without cursor control gets.
  } cases[] = {
      {"xterm", "\x1bOP\x1b[15;5~3\x1b[D1\x1b[3~\r", "x\x1b[H2\x1b[F\x7f\r", "www." + nandu, ""},
      {"dumb", "1\r", "2\r", nandu + "www.", "=? " + nandu + "X\b \bwww.\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    Workspace workspace;
    Terminal terminal;
    int status = AnswerTheAddress(workspace, &terminal, c.term, c.first, c.second, typed);
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
