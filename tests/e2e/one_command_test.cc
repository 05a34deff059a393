// `quillon FIRST SECOND` as a script runs it: the dialogue's own pages, one
// line on standard output, nothing left beside the output folder, a folder
// of someone else's left alone, and no trace of a run that was interrupted
// or could not say where its pages are.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

namespace fs = std::filesystem;

const char kRecord[] = ".quillon-files";

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

using NamedText = std::pair<std::string, std::string>;  // name, content

// The dialogue's pages for `first` and `second` as files 1 and 2 of
// compare_in (named so that they list in that order); its changes page
// names them a.txt and b.txt, here replaced by the names the one-command
// form was given.
FileMap DialoguePages(const NamedText& first, const NamedText& second, const std::string& answers,
                      const std::string& first_shown, const std::string& second_shown) {
  Workspace workspace;
  Put(workspace, {first, second});
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

// Any name but .htm or .html is a text; an HTML input gives its body text,
// as in the dialogue; the same lines twice go through with a warning. Run
// twice, a run replaces its own pages, and TMPDIR is left as it was.
TEST(OneCommandTest, GivesTheDialoguesPagesAndReplacesItsOwn) {
  const std::string html =
      "<html>\r\n<body>\r\n<pre>\r\n  page words here  \r\n</pre>\r\n</body>\r\n</html>\r\n";
  const struct {
    std::vector<std::string> options;
    std::string out_folder;
    NamedText first, second, dialogue_first, dialogue_second;
    std::string dialogue_answers, warning;
  } cases[] = {
      {{"--width", "80", "--site", "www.example.org", "-o", "out"},
       "out",
       {"SECOND", kLeft},
       {"\xc3\xb1 FIRST.txt", kRight},
       {"a.txt", kLeft},
       {"b.txt", kRight},
       "80\nwww.example.org\n",
       ""},
      {{"-o", "pages/"},
       "pages",
       {"NOTES", kLeft},
       {"notes.md", kRight},
       {"a.txt", kLeft},
       {"b.txt", kRight},
       "\n\n",
       ""},
      {{},
       "htm_out",
       {"page.HTML", html},
       {"NOTES", kLeft},
       {"a.html", html},
       {"b.txt", kLeft},
       "\n\n",
       ""},
      {{"-o", "pages/"},
       "pages",
       {"x.txt", kLeft},
       {"y.txt", kLeft},
       {"a.txt", kLeft},
       {"b.txt", kLeft},
       "\n\n1",
       "Warning: x.txt and y.txt have the same lines\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first.first + " " + c.second.first + " to " + c.out_folder);
    Workspace workspace;
    Put(workspace, {c.first, c.second, {"tmp/.keep", ""}}, ".");
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {c.first.first, c.second.first});
    FileMap expected = DialoguePages(c.dialogue_first, c.dialogue_second, c.dialogue_answers,
                                     c.first.first, c.second.first);
    for (int run = 0; run < 2; ++run) {
      Command command(workspace, args, "",
                      {-1, /*err_apart=*/true, false, workspace.root() + "/tmp"});
      EXPECT_EQ(command.Finish(), 0) << command.err;
      EXPECT_EQ(command.out, c.out_folder + "/page_01.htm\n");
      EXPECT_EQ(command.err, c.warning);
      EXPECT_EQ(Entries(workspace.root()),
                (std::set<std::string>{c.first.first, c.second.first, c.out_folder, "tmp"}));
      EXPECT_EQ(Entries(workspace.root() + "/tmp"), std::set<std::string>{".keep"});
      EXPECT_EQ(Pages(workspace.root() + "/" + c.out_folder), expected);
      EXPECT_TRUE(workspace.Exists(c.out_folder + "/" + kRecord));
    }
  }
}

// A page someone changed, or a file of their own, keeps the folder as it is.
TEST(OneCommandTest, AFolderWithTheUsersFilesIsLeftAlone) {
  for (const char* name : {"index.htm", "notes.txt"}) {
    SCOPED_TRACE(name);
    Workspace workspace;
    Put(workspace, {{"a.txt", kLeft}, {"b.txt", kRight}}, ".");
    ASSERT_EQ(RunQuillon(workspace, "", {"a.txt", "b.txt"}).status, 0);
    workspace.write(std::string("htm_out/") + name, "<p>mine</p>");
    FileMap before = Pages(workspace.root() + "/htm_out", true);
    Command refused(workspace, {"b.txt", "a.txt"}, "", {-1, /*err_apart=*/true});
    EXPECT_EQ(refused.Finish(), 2);
    EXPECT_EQ(refused.err.substr(0, refused.err.find(':', 9)),
              std::string("quillon: htm_out/") + name);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(Pages(workspace.root() + "/htm_out", true), before);
    EXPECT_EQ(Entries(workspace.root()), (std::set<std::string>{"a.txt", "b.txt", "htm_out"}));
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
  Put(workspace, {{"a.txt", kLeft}, {"b.txt", kRight}}, ".");
  ASSERT_EQ(RunQuillon(workspace, "", {"a.txt", "b.txt"}).status, 0);
  FileMap before = Pages(workspace.root() + "/htm_out", true);
  std::set<std::string> entries = Entries(workspace.root());

  // Ctrl-C once the working copies stand, well before the indexing ends.
  Put(workspace, {{"old.txt", LongText(40000, 1)}, {"new.txt", LongText(12000, 2)}}, ".");
  Command interrupted(workspace, {"old.txt", "new.txt"}, "", {-1, /*err_apart=*/true});
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

  // Nobody hears where the pages are, or the help: a failure that says so,
  // and the earlier pages stay.
  int unheard[2];
  ASSERT_EQ(pipe(unheard), 0);
  close(unheard[0]);
  int full = open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  const struct {
    std::vector<std::string> args;
    int out_fd;
    std::string err;
  } cases[] = {
      {{"b.txt", "a.txt"}, unheard[1], "quillon: cannot write the page's path: Broken pipe\n"},
      {{"--help"}, full, "quillon: write error: No space left on device\n"},
      {{"--version"}, full, "quillon: write error: No space left on device\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0]);
    Command command(workspace, c.args, "", {c.out_fd, /*err_apart=*/true});
    EXPECT_EQ(command.Finish(), 1);
    EXPECT_EQ(command.err, c.err);
    EXPECT_EQ(Entries(workspace.root()), entries);
    EXPECT_EQ(Pages(workspace.root() + "/htm_out", true), before);
  }
  close(unheard[1]);
  close(full);
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
