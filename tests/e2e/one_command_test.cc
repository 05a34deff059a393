// `quillon FIRST SECOND` as a script runs it: the dialogue's own pages, one
// line on standard output, nothing left beside the output folder, and a
// folder of someone else's left alone.

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
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

const char kLeft[] = "In the beginning was the word, and words follow\r\nand more words come\r\n";
const char kRight[] = "A second text <b>with</b> other words\nwords and the end\n";

// Any name but .htm or .html is a text; an HTML input gives its body text,
// as in the dialogue (which sees them as a.* and b.*, so its changes page
// gets the names the one-command form was given). Run twice, a run replaces
// its own pages, and TMPDIR is left as it was.
TEST(OneCommandTest, GivesTheDialoguesPagesAndReplacesItsOwn) {
  const std::string html =
      "<html>\r\n<body>\r\n<pre>\r\n  page words here  \r\n</pre>\r\n</body>\r\n</html>\r\n";
  const struct {
    std::vector<std::string> options;
    std::string out_folder;
    NamedText first, second;
    std::string first_extension, dialogue_answers;
  } cases[] = {
      {{"--width", "80", "--site", "www.example.org", "-o", "out"},
       "out",
       {"SECOND", kLeft},
       {"\xc3\xb1 FIRST.txt", kRight},
       ".txt",
       "80\nwww.example.org\n"},
      {{}, "htm_out", {"page.HTML", html}, {"NOTES", kLeft}, ".html", "\n\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first.first + " " + c.second.first + " to " + c.out_folder);
    Workspace dialogue;
    Put(dialogue, {{"a" + c.first_extension, c.first.second}, {"b.txt", c.second.second}});
    ASSERT_EQ(RunQuillon(dialogue, Opening("1\n2\n" + c.dialogue_answers + "x")).status, 0);
    FileMap expected = Pages(dialogue.root() + "/htm_out");
    std::string& changes = expected["changes.htm"];
    for (const auto& name : {std::make_pair("a.txt", c.first.first), {"b.txt", c.second.first}}) {
      for (size_t at; (at = changes.find(name.first)) != std::string::npos;)
        changes.replace(at, 5, name.second);
    }
    Workspace workspace;
    Put(workspace, {c.first, c.second, {"tmp/.keep", ""}}, ".");
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {c.first.first, c.second.first});
    for (int run = 0; run < 2; ++run) {
      Command command(workspace, args, "",
                      {-1, /*err_apart=*/true, false, workspace.root() + "/tmp"});
      EXPECT_EQ(command.Finish(), 0) << command.err;
      EXPECT_EQ(command.out, c.out_folder + "/page_01.htm\n");
      EXPECT_EQ(command.err, "");
      EXPECT_EQ(Entries(workspace.root()),
                (std::set<std::string>{c.first.first, c.second.first, c.out_folder, "tmp"}));
      EXPECT_EQ(Entries(workspace.root() + "/tmp"), std::set<std::string>{".keep"});
      EXPECT_EQ(Pages(workspace.root() + "/" + c.out_folder), expected);
      EXPECT_TRUE(workspace.Exists(c.out_folder + "/" + kRecord));
    }
  }
}

// Words enough that the index takes a while after the working copies stand.
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

// An interrupted run: nothing left but the earlier pages, and the signal's
// own end. Nobody hears where the pages are: a failure that says so. A page someone
// changed: a refusal. Either way the earlier pages stay and nothing is left.
TEST(OneCommandTest, AnUnheardOrRefusedRunLeavesNoTrace) {
  Workspace workspace;
  Put(workspace, {{"a.txt", kLeft}, {"b.txt", kRight}}, ".");
  ASSERT_EQ(RunQuillon(workspace, "", {"a.txt", "b.txt"}).status, 0);
  FileMap before = Pages(workspace.root() + "/htm_out", true);

  // Ctrl-C once the working copies stand, well before the indexing ends.
  Put(workspace, {{"old.txt", LongText(40000, 1)}, {"new.txt", LongText(12000, 2)}}, ".");
  const std::set<std::string> entries = {"a.txt", "b.txt", "htm_out", "old.txt", "new.txt"};
  Command interrupted(workspace, {"old.txt", "new.txt"}, "", {-1, /*err_apart=*/true});
  for (std::string work;
       interrupted.Running() &&
       (work.empty() || !fs::exists(workspace.root() + "/" + work + "/txt_wrk"));) {
    for (const std::string& name : Entries(workspace.root())) {
      if (name.rfind(".quillon-", 0) == 0) work = name;
    }
    usleep(1000);
  }
  ASSERT_TRUE(interrupted.Running()) << "the run ended before it could be interrupted";
  kill(interrupted.pid(), SIGINT);
  EXPECT_EQ(interrupted.Finish(), -1);
  EXPECT_EQ(interrupted.Signal(), SIGINT);
  EXPECT_EQ(interrupted.out, "");
  EXPECT_EQ(Entries(workspace.root()), entries);
  EXPECT_EQ(Pages(workspace.root() + "/htm_out", true), before);

  int unheard[2];
  ASSERT_EQ(pipe(unheard), 0);
  close(unheard[0]);
  Command command(workspace, {"b.txt", "a.txt"}, "", {unheard[1], /*err_apart=*/true});
  close(unheard[1]);
  EXPECT_EQ(command.Finish(), 1);
  EXPECT_EQ(command.err, "quillon: cannot write the page's path: Broken pipe\n");
  EXPECT_EQ(Entries(workspace.root()), entries);
  EXPECT_EQ(Pages(workspace.root() + "/htm_out", true), before);

  workspace.write("htm_out/index.htm", "<p>mine</p>");
  before = Pages(workspace.root() + "/htm_out", true);
  Command refused(workspace, {"b.txt", "a.txt"}, "", {-1, /*err_apart=*/true});
  EXPECT_EQ(refused.Finish(), 2);
  EXPECT_EQ(refused.err.substr(0, refused.err.find(':', 9)), "quillon: htm_out/index.htm");
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(Pages(workspace.root() + "/htm_out", true), before);
  EXPECT_EQ(Entries(workspace.root()), entries);
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
