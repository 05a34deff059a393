// The program on a real terminal: a pseudo-terminal that the test opens
// itself. The key mode must be left on every way out, keys typed ahead must
// reach the menus, and the answer editor must take cursor keys.

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
#include <stdexcept>
#include <string>

#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

// Bounds for a run that went wrong, not expectations on speed.
const int kPatienceMilliseconds = 30000;

const char kFirstMenu[] = "<2> no, end";
const char kThirdScreen[] = "THE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY.";
const char kQuestion[] = "select file with line number = ? ";

struct Ending {
  bool exited = false;
  int status = -1;  ///< Exit status, or the signal that ended the program.
};

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

  /// Starts the program in the workspace with the terminal as its
  /// controlling terminal and standard input, output and error.
  void Start(const Workspace& workspace) {
    std::string root = workspace.root();
    child_ = fork();
    if (child_ < 0) throw std::runtime_error("fork failed");
    if (child_ == 0) RunChild(root.c_str());
  }

  void Type(const std::string& keys) {
    size_t sent = 0;
    while (sent < keys.size()) {
      ssize_t put = write(master_, keys.data() + sent, keys.size() - sent);
      if (put <= 0) break;
      sent += static_cast<size_t>(put);
    }
  }

  void Signal(int signal_number) { kill(child_, signal_number); }

  /// Reads the terminal until `text` has appeared after the part of the
  /// output already waited for; false when the program ended first.
  bool WaitFor(const std::string& text) {
    auto deadline = Deadline();
    for (;;) {
      size_t found = output_.find(text, seen_);
      if (found != std::string::npos) {
        seen_ = found + text.size();
        return true;
      }
      if (Ended() || std::chrono::steady_clock::now() > deadline) return false;
      Drain(50);
    }
  }

  /// Waits for the program to end, reading what it still writes.
  Ending WaitForEnd() {
    auto deadline = Deadline();
    while (!Ended() && std::chrono::steady_clock::now() < deadline) Drain(50);
    if (!Ended()) return Ending();
    Drain(0);
    Ending ending;
    ending.exited = WIFEXITED(status_);
    ending.status = ending.exited ? WEXITSTATUS(status_) : WTERMSIG(status_);
    return ending;
  }

  struct termios Settings() const {
    struct termios settings = {};
    tcgetattr(slave_, &settings);
    return settings;
  }
  const struct termios& initial() const { return initial_; }
  const std::string& output() const { return output_; }

 private:
  static std::chrono::steady_clock::time_point Deadline() {
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMilliseconds);
  }

  [[noreturn]] void RunChild(const char* root) {
    setsid();
    ioctl(slave_, TIOCSCTTY, 0);
    dup2(slave_, 0);
    dup2(slave_, 1);
    dup2(slave_, 2);
    close(slave_);
    close(master_);
    // The test runner's own signal settings must not leak into the program.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGPIPE}) {
      signal(signal_number, SIG_DFL);
    }
    if (chdir(root) != 0) _exit(127);
    char* argv[] = {const_cast<char*>("quillon"), nullptr};
    execv(QUILLON_BINARY, argv);
    _exit(127);
  }

  bool Ended() {
    if (ended_) return true;
    if (waitpid(child_, &status_, WNOHANG) == child_) {
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

bool InKeyMode(const struct termios& settings) {
  return (settings.c_lflag & (ICANON | ECHO)) == 0;
}

void ExpectRestored(const Terminal& terminal) {
  struct termios now = terminal.Settings();
  EXPECT_EQ(now.c_lflag, terminal.initial().c_lflag);
  EXPECT_EQ(now.c_iflag, terminal.initial().c_iflag);
  EXPECT_EQ(now.c_cc[VMIN], terminal.initial().c_cc[VMIN]);
  EXPECT_TRUE((now.c_lflag & ICANON) && (now.c_lflag & ECHO));
}

TEST(TerminalTest, KeysArriveRawAndTheSettingsReturnAtTheNormalEnd) {
  Workspace workspace;
  Terminal terminal;
  terminal.Start(workspace);
  ASSERT_TRUE(terminal.WaitFor(kFirstMenu)) << terminal.output();
  EXPECT_TRUE(InKeyMode(terminal.Settings()));
  EXPECT_TRUE(terminal.Settings().c_lflag & ISIG);
  terminal.Type("2");
  Ending ending = terminal.WaitForEnd();
  EXPECT_TRUE(ending.exited);
  EXPECT_EQ(ending.status, 0);
  ExpectRestored(terminal);
  // Without echo the key itself never shows.
  std::string after_menu =
      terminal.output().substr(terminal.output().find(kFirstMenu) + strlen(kFirstMenu));
  EXPECT_EQ(after_menu.find('2'), std::string::npos) << after_menu;
}

TEST(TerminalTest, KeysTypedBeforeTheFirstScreenAreKept) {
  Workspace workspace;
  Terminal terminal;
  terminal.Type("11");  // waiting on the terminal before the program even starts
  terminal.Start(workspace);
  ASSERT_TRUE(terminal.WaitFor(kThirdScreen)) << terminal.output();
  ASSERT_TRUE(terminal.WaitFor("<2> end"));
  terminal.Type("2");
  Ending ending = terminal.WaitForEnd();
  EXPECT_TRUE(ending.exited);
  ExpectRestored(terminal);
}

// The selection question comes after the opening screens when compare_in
// holds two text files.
void StartAtTheQuestion(const Workspace& workspace, Terminal* terminal) {
  workspace.Write("compare_in/a.txt", "alpha beta\r\n");
  workspace.Write("compare_in/b.txt", "gamma delta\r\n");
  terminal->Start(workspace);
  terminal->Type("111");
}

// Ctrl-C is typed on the terminal, the other signals are sent.
void EndBy(Terminal* terminal, int signal_number) {
  if (signal_number == SIGINT) {
    terminal->Type("\x03");
  } else {
    terminal->Signal(signal_number);
  }
  Ending ending = terminal->WaitForEnd();
  EXPECT_FALSE(ending.exited);
  EXPECT_EQ(ending.status, signal_number) << "ended by signal " << ending.status;
  ExpectRestored(*terminal);
}

TEST(TerminalTest, SignalsAtAMenuRestoreTheSettingsAndEndByTheSameSignal) {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal_number));
    Workspace workspace;
    Terminal terminal;
    terminal.Start(workspace);
    ASSERT_TRUE(terminal.WaitFor(kFirstMenu)) << terminal.output();
    EndBy(&terminal, signal_number);
  }
}

TEST(TerminalTest, CtrlCInAnAnswerRestoresTheSettings) {
  Workspace workspace;
  Terminal terminal;
  StartAtTheQuestion(workspace, &terminal);
  ASSERT_TRUE(terminal.WaitFor(kQuestion)) << terminal.output();
  terminal.Type("1");
  EndBy(&terminal, SIGINT);
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
               // Home and End of a VT220, and in application mode.
               {"x\x1b[1~1\x1b[4~\x7f", "x\x1bOH1\x1bOF\x7f", 80},
               // ESC (\033) alone clears; Tab puts blanks before the number.
               {"99\0331", "\t1", 80},
               // Function and unknown keys change nothing; ten x, Up to the start, "1",
               // Down to the end, ten Backspaces.
               {"\x1bOP\x1b[[A\x1b[15;5~\x1b[24~\x1b[2~\x1b[5~\x1b[?1;2c1",
                "xxxxxxxxxx\x1b[A1\x1b[B\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f", 10}};
  for (const auto& scripts : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(scripts.first)));
    Workspace workspace;
    Terminal terminal(scripts.width);
    StartAtTheQuestion(workspace, &terminal);
    ASSERT_TRUE(terminal.WaitFor(kQuestion)) << terminal.output();
    terminal.Type(std::string(scripts.first) + "\r");
    ASSERT_TRUE(terminal.WaitFor("1. file for compare: a.txt")) << terminal.output();
    ASSERT_TRUE(terminal.WaitFor(kQuestion)) << terminal.output();
    terminal.Type(std::string(scripts.second) + "\r");
    EXPECT_TRUE(terminal.WaitFor("the file is duplicated")) << terminal.output();
    terminal.Signal(SIGTERM);
    terminal.WaitForEnd();
    ExpectRestored(terminal);
  }
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
