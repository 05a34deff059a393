// `quillon FIRST SECOND` as a script runs it: the dialogue's own pages, one
// line on standard output, nothing left beside the output folder, a folder
// of someone else's left alone, and no trace of a run that was interrupted
// or could not say where its pages are.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <stdexcept>

#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

namespace fs = std::filesystem;

const char kRecord[] = ".quillon-files";

// The program started in a folder with its standard output and error kept
// apart (or standard output sent to `out_fd`), and TMPDIR pointing at `tmp`.
class Command {
 public:
  Command(const Workspace& workspace, const std::vector<std::string>& args,
          const std::string& tmp = "", int out_fd = -1) {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      dup2(out_fd >= 0 ? out_fd : out[1], 1);
      dup2(err[1], 2);
      int none = open("/dev/null", O_RDONLY);
      dup2(none, 0);
      for (int fd : {out[0], out[1], err[0], err[1], none}) close(fd);
      if (!tmp.empty()) setenv("TMPDIR", tmp.c_str(), 1);
      ::signal(SIGINT, SIG_DFL);
      ::signal(SIGPIPE, SIG_DFL);
      ExecQuillon(workspace, args);
    }
    close(out[1]);
    close(err[1]);
    out_ = out[0];
    err_ = err[0];
  }

  ~Command() {
    if (!reaped_) kill(pid_, SIGKILL);
    Finish();
  }

  pid_t pid() const { return pid_; }
  bool running() {
    if (!reaped_ && waitpid(pid_, &wait_status_, WNOHANG) == pid_) reaped_ = true;
    return !reaped_;
  }

  /// Waits for the end; the exit status, or -1 when a signal ended it.
  int Finish() {
    Drain(out_, &out);
    Drain(err_, &err);
    if (!reaped_) waitpid(pid_, &wait_status_, 0);
    reaped_ = true;
    signal_number = WIFSIGNALED(wait_status_) ? WTERMSIG(wait_status_) : 0;
    return WIFEXITED(wait_status_) ? WEXITSTATUS(wait_status_) : -1;
  }

  std::string out, err;
  int signal_number = 0;

 private:
  static void Drain(int& fd, std::string* text) {
    if (fd < 0) return;
    char buffer[65536];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
      text->append(buffer, static_cast<size_t>(got));
    }
    close(fd);
    fd = -1;
  }

  pid_t pid_ = 0;
  int out_ = -1, err_ = -1;
  int wait_status_ = 0;
  bool reaped_ = false;
};

std::set<std::string> Entries(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

FileMap Pages(const std::string& dir, bool keep_record = false) {
  FileMap pages = FilesBelow(dir);
  if (!keep_record) pages.erase(kRecord);
  for (auto& page : pages) page.second = WithoutClock(page.second);
  return pages;
}

// What the dialogue delivers with `first` and `second` as files 1 and 2 of
// compare_in (named so that they list in that order).
// The dialogue's pages for the two files, which it knows as a.txt and b.txt;
// its changes page names them `first_shown` and `second_shown`, as the
// one-command form does with the names it was given.
FileMap DialoguePages(const std::pair<std::string, std::string>& first,
                      const std::pair<std::string, std::string>& second,
                      const std::string& first_shown, const std::string& second_shown,
                      const std::string& answers = "\n\n") {
  Workspace workspace;
  workspace.write("compare_in/" + first.first, first.second);
  workspace.write("compare_in/" + second.first, second.second);
  Outcome outcome = RunQuillon(workspace, Opening("1\n2\n" + answers + "x"));
  EXPECT_EQ(outcome.status, 0) << outcome.transcript;
  FileMap pages = Pages(workspace.root() + "/htm_out");
  std::string& changes = pages["changes.htm"];
  for (const auto& name : {std::make_pair("a.txt", first_shown), {"b.txt", second_shown}}) {
    for (size_t at; (at = changes.find(name.first)) != std::string::npos;) {
      changes.replace(at, 5, name.second);
    }
  }
  return pages;
}

const char kLeft[] = "In the beginning was the word, and words follow\r\nand more words come\r\n";
const char kRight[] = "A second text <b>with</b> other words\nwords and the end\n";

TEST(OneCommandTest, GivesTheDialoguesPagesAndReplacesOnlyItsOwn) {
  Workspace workspace;
  workspace.write("SECOND", kLeft);
  workspace.write("\xc3\xb1 FIRST.txt", kRight);
  workspace.write("tmp/.keep", "");
  std::string tmp = workspace.root() + "/tmp";

  Command spaced(
      workspace,
      {"--width", "80", "--site", "www.example.org", "-o", "out", "SECOND", "\xc3\xb1 FIRST.txt"},
      tmp);
  EXPECT_EQ(spaced.Finish(), 0) << spaced.err;
  EXPECT_EQ(spaced.out, "out/page_01.htm\n");
  EXPECT_EQ(spaced.err, "");
  EXPECT_EQ(Entries(workspace.root()),
            (std::set<std::string>{"SECOND", "\xc3\xb1 FIRST.txt", "out", "tmp"}));
  EXPECT_EQ(Entries(tmp), std::set<std::string>{".keep"});
  FileMap expected = DialoguePages({"a.txt", kLeft}, {"b.txt", kRight}, "SECOND",
                                   "\xc3\xb1 FIRST.txt", "80\nwww.example.org\n");
  EXPECT_EQ(Pages(workspace.root() + "/out"), expected);
  EXPECT_TRUE(workspace.Exists(std::string("out/") + kRecord));

  // A second run replaces its own pages; --opt=VALUE is --opt VALUE.
  Command joined(workspace, {"--width=80", "--site=www.example.org", "--output=out", "SECOND",
                             "\xc3\xb1 FIRST.txt"});
  EXPECT_EQ(joined.Finish(), 0) << joined.err;
  EXPECT_EQ(joined.out, "out/page_01.htm\n");
  EXPECT_EQ(Pages(workspace.root() + "/out"), expected);

  // A page someone changed, or a file of their own, keeps the folder as it is.
  for (const char* name : {"index.htm", "notes.txt"}) {
    SCOPED_TRACE(name);
    Workspace mine;
    mine.write("a.txt", kLeft);
    mine.write("b.txt", kRight);
    Command first(mine, {"a.txt", "b.txt"});
    ASSERT_EQ(first.Finish(), 0) << first.err;
    mine.write(std::string("htm_out/") + name, "<p>mine</p>");
    FileMap before = Pages(mine.root() + "/htm_out", true);
    Command refused(mine, {"b.txt", "a.txt"});
    EXPECT_EQ(refused.Finish(), 2);
    EXPECT_EQ(refused.err.substr(0, refused.err.find(':', 9)),
              std::string("quillon: htm_out/") + name);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(Pages(mine.root() + "/htm_out", true), before);
    EXPECT_EQ(Entries(mine.root()), (std::set<std::string>{"a.txt", "b.txt", "htm_out"}));
  }
}

// Any name but .htm or .html is a text; an HTML input gives its body text,
// as in the dialogue; the same lines twice go through with a warning.
TEST(OneCommandTest, ReadsAnyNameAsTextAndHtmlAsHtml) {
  const std::string html =
      "<html>\r\n<body>\r\n<pre>\r\n  page words here  \r\n</pre>\r\n"
      "</body>\r\n</html>\r\n";
  struct Case {
    std::pair<std::string, std::string> first, second;  // given name, content
    std::pair<std::string, std::string> dialogue_first, dialogue_second;
    std::string warning;
    std::string dialogue_answers = "\n\n";
  } cases[] = {
      {{"NOTES", kLeft}, {"notes.md", kRight}, {"a.txt", kLeft}, {"b.txt", kRight}, ""},
      {{"page.HTML", html}, {"NOTES", kLeft}, {"a.html", html}, {"b.txt", kLeft}, ""},
      {{"x.txt", kLeft},
       {"y.txt", kLeft},
       {"a.txt", kLeft},
       {"b.txt", kLeft},
       "Warning: x.txt and y.txt have the same lines\n",
       "\n\n1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first.first + " " + c.second.first);
    Workspace workspace;
    workspace.write(c.first.first, c.first.second);
    workspace.write(c.second.first, c.second.second);
    Command command(workspace, {"-o", "pages/", c.first.first, c.second.first});
    EXPECT_EQ(command.Finish(), 0) << command.err;
    EXPECT_EQ(command.out, "pages/page_01.htm\n");
    EXPECT_EQ(command.err, c.warning);
    EXPECT_EQ(Pages(workspace.root() + "/pages"),
              DialoguePages(c.dialogue_first, c.dialogue_second, c.first.first, c.second.first,
                            c.dialogue_answers));
  }
}

// Lines enough for a run of many parts that is still busy when the test
// interrupts it.
std::string LongText(int lines, unsigned seed) {
  std::string text;
  for (int line = 0; line < lines; ++line) {
    for (int word = 0; word < 12; ++word) {
      seed = seed * 1103515245u + 12345u;
      text += "w" + std::to_string(seed >> 20 & 4095) + (word < 11 ? " " : "\n");
    }
  }
  return text;
}

// The run's work folder, once it exists.
std::string WorkFolder(const Workspace& workspace) {
  for (const std::string& name : Entries(workspace.root())) {
    if (name.compare(0, 9, ".quillon-") == 0) return name;
  }
  return "";
}

TEST(OneCommandTest, AnInterruptedOrUnheardRunLeavesNoTrace) {
  Workspace workspace;
  workspace.write("a.txt", kLeft);
  workspace.write("b.txt", kRight);
  Command earlier(workspace, {"a.txt", "b.txt"});
  ASSERT_EQ(earlier.Finish(), 0) << earlier.err;
  FileMap before = Pages(workspace.root() + "/htm_out", true);
  std::set<std::string> entries = Entries(workspace.root());

  // Ctrl-C once the working copies stand, well before the indexing ends.
  workspace.write("old.txt", LongText(40000, 1));
  workspace.write("new.txt", LongText(12000, 2));
  Command interrupted(workspace, {"old.txt", "new.txt"});
  std::string work;
  while (interrupted.running() &&
         (work.empty() || !fs::exists(workspace.root() + "/" + work + "/txt_wrk/second.txt"))) {
    work = WorkFolder(workspace);
    usleep(1000);
  }
  ASSERT_TRUE(interrupted.running()) << "the run ended before it could be interrupted";
  kill(interrupted.pid(), SIGINT);
  EXPECT_EQ(interrupted.Finish(), -1);
  EXPECT_EQ(interrupted.signal_number, SIGINT);
  EXPECT_EQ(interrupted.out, "");
  entries.insert({"old.txt", "new.txt"});
  EXPECT_EQ(Entries(workspace.root()), entries);
  EXPECT_EQ(Pages(workspace.root() + "/htm_out", true), before);

  // Nobody hears where the pages are: a failure, and the earlier pages stay.
  int unheard[2];
  ASSERT_EQ(pipe(unheard), 0);
  close(unheard[0]);
  Command closed(workspace, {"b.txt", "a.txt"}, "", unheard[1]);
  close(unheard[1]);
  EXPECT_EQ(closed.Finish(), 1);
  EXPECT_EQ(closed.err, "quillon: cannot write the page's path: Broken pipe\n");
  EXPECT_EQ(Entries(workspace.root()), entries);
  EXPECT_EQ(Pages(workspace.root() + "/htm_out", true), before);
}

TEST(OneCommandTest, HelpThatCannotBeWrittenFails) {
  Workspace workspace;
  int full = open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  for (const char* option : {"--help", "--version"}) {
    Command help(workspace, {option}, "", full);
    EXPECT_EQ(help.Finish(), 1) << option;
    EXPECT_EQ(help.err, "quillon: write error: No space left on device\n");
  }
  close(full);
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
