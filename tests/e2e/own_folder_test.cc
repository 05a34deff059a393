// The run's folder is its own: what is in the way is named and nothing is
// touched, links lead nowhere, one run at a time, arguments that are not
// understood change nothing, and a run killed anywhere leaves a folder the
// next run accepts.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

namespace fs = std::filesystem;

const FileMap kInputs = {{"a.txt", "alpha words here\r\n"}, {"b.txt", "beta words there\r\n"}};
const char kRefusal[] =
    "\r\nNothing was changed. Start quillon in a folder of its own that holds only\r\n"
    "the folder compare_in with the files to compare.\r\n";

// Every entry below a folder, links not followed: a link shows where it
// points, a folder shows as such, a file its bytes.
FileMap Snapshot(const std::string& dir) {
  FileMap entries;
  std::error_code error;
  fs::recursive_directory_iterator it(dir, error), end;
  for (; it != end; it.increment(error)) {
    std::string path = it->path().lexically_relative(dir).string();
    if (it->is_symlink()) {
      entries[path] = "link to " + fs::read_symlink(it->path()).string();
    } else if (it->is_directory()) {
      entries[path] = "folder";
    } else {
      entries[path] = ReadFile(it->path().string());
    }
  }
  return entries;
}

std::string InTheWay(std::initializer_list<std::string> names) {
  return Lines(
             {kSeparator, "This folder is not quillon's own. The run would delete or overwrite:"}) +
         Lines(names) + kRefusal;
}

// A folder beside the workspace that links may point into: it must stay as
// it was.
struct Outside {
  Workspace place;
  FileMap before;
  void Seal() { before = Snapshot(place.root()); }
  bool Unchanged() const { return Snapshot(place.root()) == before; }
};

struct Arrangement {
  const char* what;
  std::function<void(const Workspace&, const Outside&)> make;
  std::string message;
};

void Link(const std::string& target, const Workspace& workspace, const std::string& name) {
  fs::create_symlink(target, fs::path(workspace.root()) / name);
}

TEST(OwnFolderTest, WhatIsInTheWayIsNamedAndNothingIsTouched) {
  const Arrangement cases[] = {
      {"the user's files, any case, *.txt also matching .txtold",
       [](const Workspace& w, const Outside&) {
         w.write("notes.txt", "my notes\r\n");
         w.write("page.html", "<p>mine</p>");
         w.write("TODO.TXT", "todo");
         w.write("report.txtold", "old report");
         w.write("keep.doc", "not matched by any pattern");
       },
       InTheWay({"notes.txt", "page.html", "report.txtold", "TODO.TXT"})},
      {"work folders in another case",
       [](const Workspace& w, const Outside&) {
         w.write("HTM_OUT/mine.htm", "1");
         w.write("Txt_Wrk/mine.txt", "2");
         w.write("WRD_24/mine.txt", "3");
       },
       InTheWay({"HTM_OUT", "Txt_Wrk", "WRD_24"})},
      {"work folders that are links",
       [](const Workspace& w, const Outside& o) {
         for (const char* folder : {"txt_wrk", "txt_in", "htm_in", "htm_wrk", "htm_out", "wrd_24"})
           Link(o.place.root(), w, folder);
       },
       InTheWay({"htm_in", "htm_out", "htm_wrk", "txt_in", "txt_wrk", "wrd_24"})},
      {"links and a hard link named like work files",
       [](const Workspace& w, const Outside& o) {
         for (const char* name : {"f_01.txt", "out_null.list", "compare.htm", "intake_01.tmp"})
           Link(o.place.root() + "/target.txt", w, name);
         fs::create_hard_link(o.place.root() + "/target.txt", w.root() + "/dir_cur.txt");
         w.write("htm_out/page.htm", "");
         Link(o.place.root() + "/target.txt", w, "htm_out/linked.htm");
       },
       InTheWay({"compare.htm", "dir_cur.txt", "f_01.txt", "htm_out/linked.htm", "intake_01.tmp",
                 "out_null.list"})},
      {"compare_in a link",
       [](const Workspace& w, const Outside& o) {
         fs::remove_all(w.root() + "/compare_in");
         Link(o.place.root(), w, "compare_in");
       },
       InTheWay({"compare_in"})},
      {"a file moved out by an earlier run, with a newer one in compare_in",
       [](const Workspace& w, const Outside&) {
         w.write("notes.docx", "version 1");
         w.write("compare_in/notes.docx", "version 2");
       },
       InTheWay({"notes.docx"})},
  };
  for (const Arrangement& c : cases) {
    SCOPED_TRACE(c.what);
    Workspace workspace;
    Outside outside;
    outside.place.write("target.txt", "outside, never to change\r\n");
    for (const auto& input : kInputs) workspace.write("compare_in/" + input.first, input.second);
    c.make(workspace, outside);
    outside.Seal();
    FileMap before = Snapshot(workspace.root());
    Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.transcript, c.message);
    EXPECT_EQ(Snapshot(workspace.root()), before);
    EXPECT_TRUE(outside.Unchanged());
  }
}

// Links the run may meet in compare_in: a link to a file is read as that
// file and may be replaced by a copy, its target never changes; a link to
// nothing beside an HTML file is replaced by its text twin.
TEST(OwnFolderTest, LinksInCompareInAreReadNeverWrittenThrough) {
  Workspace workspace;
  Outside outside;
  outside.place.write("linked text.txt", "linked words here\r\n");
  workspace.write("compare_in/page.htm", "<body>\r\npage words\r\n</body>\r\n");
  Link(outside.place.root() + "/linked text.txt", workspace, "compare_in/linked text.txt");
  Link(outside.place.root() + "/missing.txt", workspace, "compare_in/page.txt");
  outside.Seal();
  Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait)) << outcome.transcript;
  EXPECT_TRUE(outside.Unchanged());
  EXPECT_EQ(workspace.read("compare_in/linked_text.txt"), "linked words here\r\n");
  EXPECT_EQ(workspace.read("compare_in/page.txt"), "page words\r\n");
  EXPECT_EQ(workspace.read("htm_wrk/compare.htm"),
            ComparePage("100%", {"linked words here"}, {"page words"}));
}

// Names that differ only in letter case are different files here.
TEST(OwnFolderTest, InputsThatDifferOnlyInCaseBothSurvive) {
  Workspace workspace;
  const FileMap inputs = {{"My File.txt", "capital\r\n"}, {"my file.txt", "small\r\n"}};
  for (const auto& input : inputs) workspace.write("compare_in/" + input.first, input.second);
  Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.transcript.find("Overwrite"), std::string::npos);
  EXPECT_EQ(workspace.Files("compare_in"),
            (FileMap{{"My_File.txt", "capital\r\n"}, {"my_file.txt", "small\r\n"}}));
  EXPECT_EQ(workspace.read("htm_wrk/compare.htm"), ComparePage("100%", {"capital"}, {"small"}));
}

TEST(OwnFolderTest, OneRunAtATime) {
  Workspace workspace;
  for (const auto& input : kInputs) workspace.write("compare_in/" + input.first, input.second);
  // Another run holds the folder's lock.
  int folder = open(workspace.root().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(flock(folder, LOCK_EX), 0);
  FileMap before = Snapshot(workspace.root());
  Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
  close(folder);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.transcript,
            "Another quillon run is working in this folder. Wait until it ends, or start "
            "quillon in a folder of its own.\r\n");
  EXPECT_EQ(Snapshot(workspace.root()), before);
}

TEST(OwnFolderTest, UnknownArgumentsTouchNothing) {
  for (const char* argument : {"-h", "--bogus", "file.txt", "--part-size=", "--part-size=-5"}) {
    SCOPED_TRACE(argument);
    Workspace workspace;
    workspace.write("notes.txt", "mine");
    for (const auto& input : kInputs) workspace.write("compare_in/" + input.first, input.second);
    FileMap before = Snapshot(workspace.root());
    Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo), {argument});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.transcript.substr(0, outcome.transcript.find('\n') + 1),
              "quillon: unknown argument '" + std::string(argument) + "'\n");
    EXPECT_NE(outcome.transcript.find("Usage: quillon [--help | --version | --part-size=BYTES]"),
              std::string::npos);
    EXPECT_EQ(Snapshot(workspace.root()), before);
  }
}

// A folder named like a work file (once the word records, which the index no
// longer writes) is left alone: nothing loops, nothing fills the disk, and
// the run completes around it.
TEST(OwnFolderTest, AFolderNamedLikeAWorkFileIsLeftAlone) {
  Workspace workspace;
  for (const auto& input : kInputs) workspace.write("compare_in/" + input.first, input.second);
  workspace.write("wrd_01.txt/kept.txt", "mine");
  Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(outcome.status, 0) << outcome.transcript;
  EXPECT_NE(outcome.transcript.find("RESULTS"), std::string::npos);
  EXPECT_EQ(workspace.Files("compare_in"), kInputs);
  EXPECT_EQ(workspace.read("wrd_01.txt/kept.txt"), "mine");
  EXPECT_FALSE(workspace.Exists("wrd_01_01.txt"));
  EXPECT_EQ(workspace.Files("htm_out").size(), 7u);
}

// A folder in compare_in is never a file to compare, whatever its name.
TEST(OwnFolderTest, AFolderNamedLikeATextFileIsNeitherOfferedNorCopied) {
  Workspace workspace;
  for (const auto& input : kInputs) workspace.write("compare_in/" + input.first, input.second);
  workspace.write("compare_in/zdir.txt/inner one.txt", "inner\r\n");
  workspace.write("compare_in/zdir.txt/inner two.txt", "inner\r\n");
  Outcome outcome = RunQuillon(workspace, Opening("1\n2\n\n\nx"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_NE(outcome.transcript.find(FileList({"a.txt", "b.txt"}) + "\r\n-- select"),
            std::string::npos);
  EXPECT_EQ(workspace.read("htm_out/compare.htm"),
            ComparePage("100%", {"alpha words here"}, {"beta words there"}));
}

// Killed at random moments, a run leaves only what the next run accepts as
// its own, and that run completes.
TEST(OwnFolderTest, TheRunAfterAKilledOneIsNotRefusedAndCompletes) {
  std::string text, other;
  for (int i = 0; i < 1500; ++i) {
    text += "line " + std::to_string(i) + " of words to index\r\n";
    other += "row " + std::to_string(i) + " of other words\r\n";
  }
  std::mt19937 pick(std::random_device{}());
  for (int trial = 0; trial < 6; ++trial) {
    Workspace workspace;
    workspace.write("compare_in/first file.txt", text);
    workspace.write("compare_in/second.txt", other);
    int input[2];
    ASSERT_EQ(pipe(input), 0);
    pid_t child = fork();
    if (child == 0) {
      dup2(input[0], 0);
      int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      close(input[1]);
      if (chdir(workspace.root().c_str()) != 0) _exit(127);
      execl(QUILLON_BINARY, "quillon", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(input[0]);
    std::string keys = Opening(kCompareFirstTwo);
    ASSERT_EQ(write(input[1], keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    std::this_thread::sleep_for(std::chrono::milliseconds(pick() % 300));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(input[1]);
    Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
    SCOPED_TRACE("trial " + std::to_string(trial));
    EXPECT_EQ(outcome.status, 0) << outcome.transcript;
    EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait));
    EXPECT_EQ(workspace.Files("compare_in"),
              (FileMap{{"first_file.txt", text}, {"second.txt", other}}));
    FileMap delivered = workspace.Files("htm_out");
    EXPECT_TRUE(delivered.count("compare.htm") && delivered.count("index.htm"));
  }
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
