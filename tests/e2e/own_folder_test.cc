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

#include <algorithm>
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
             {kSeparator, "This folder is not quillon's own. These are in the way of its work:"}) +
         Lines(names) + kRefusal;
}

const std::string kNoInputFolder =
    Lines({kSeparator, "This folder holds no folder compare_in with files to compare.", "",
           "Nothing was changed. Make a folder compare_in here that holds the two files",
           "to compare, and start quillon in this folder again."});

std::string EarlierRuns(std::initializer_list<std::string> names) {
  return Lines({kSeparator,
                "This folder holds files or folders with the names of quillon's work files,",
                "and no record (.quillon-files) says that quillon made them:"}) +
         Lines(names) +
         Lines({"",
                "Nothing was changed. If an earlier run of quillon left them, \"quillon --clean\"",
                "removes them (it lists them and asks first). Otherwise start quillon in a folder",
                "of its own that holds only the folder compare_in with the files to compare."});
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
      {"the user's files with work names, declined at the first screen too",
       [](const Workspace& w, const Outside&) {
         w.write("f_01.txt", "my first file\r\n");
         w.write("index.htm", "<p>my index</p>");
         w.write("count.txt", "42");
         w.write("compare.htm/kept.txt", "a folder of mine");
       },
       EarlierRuns({"compare.htm", "count.txt", "f_01.txt", "index.htm"})},
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
       },
       InTheWay({"compare.htm", "dir_cur.txt", "f_01.txt", "intake_01.tmp", "out_null.list"})},
      {"compare_in a link",
       [](const Workspace& w, const Outside& o) {
         fs::remove_all(w.root() + "/compare_in");
         Link(o.place.root(), w, "compare_in");
       },
       InTheWay({"compare_in"})},
      // A person's home folder, say: nothing to compare, nothing written.
      {"no compare_in",
       [](const Workspace& w, const Outside&) {
         fs::remove_all(w.root() + "/compare_in");
         w.write("notes.txt", "my notes\r\n");
         w.write("Documents/letter.htm", "<p>mine</p>");
       },
       kNoInputFolder},
      {"compare_in a file",
       [](const Workspace& w, const Outside&) {
         fs::remove_all(w.root() + "/compare_in");
         w.write("compare_in", "a file\r\n");
       },
       kNoInputFolder},
      {"a file moved out by an earlier run, with a newer one in compare_in",
       [](const Workspace& w, const Outside&) {
         w.write("notes.docx", "version 1");
         w.write("compare_in/notes.docx", "version 2");
       },
       InTheWay({"notes.docx"})},
      {"files of compare_in that would leave it under a work folder's name",
       [](const Workspace& w, const Outside&) {
         w.write("compare_in/htm_in", "a file named like a folder");
         w.write("compare_in/HTM_OUT", "another");
       },
       InTheWay({"compare_in/htm_in", "compare_in/HTM_OUT"})},
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
    for (const std::string& keys : {Opening(kCompareFirstTwo), std::string("2")}) {
      Outcome outcome = RunQuillon(workspace, keys);
      EXPECT_EQ(outcome.status, 2);
      EXPECT_EQ(outcome.transcript, c.message);
      EXPECT_EQ(Snapshot(workspace.root()), before);
      EXPECT_TRUE(outside.Unchanged());
    }
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

// A mistake on the command line is said in a line or two naming what is
// wrong, and nothing is touched, whatever form of run it was meant for.
TEST(OwnFolderTest, UsageErrorsTouchNothing) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus"}, "quillon: unrecognized option '--bogus'"},
      {{"file.txt"}, "quillon: missing the second file to compare after 'file.txt'"},
      {{"--part-size="}, "quillon: invalid part size '': a number of bytes, 0 for one page"},
      {{"--part-size", "-5"}, "quillon: invalid part size '-5': a number of bytes, 0 for one page"},
      {{"--width", "abc", "a.txt", "b.txt"},
       "quillon: invalid table width 'abc': a number greater than 0, such as 80 or 62.5"},
      {{"--width=0.4", "a.txt", "b.txt"},
       "quillon: invalid table width '0.4': a number greater than 0, such as 80 or 62.5"},
      {{"--site", "<b>x</b>", "a.txt", "b.txt"},
       "quillon: invalid address '<b>x</b>': a host name and path of letters, digits and . - _ / "
       ": ~ only"},
      {{"-o", "out"}, "quillon: option '--output' needs the two files to compare"},
      {{"a.txt", "b.txt", "c.txt"}, "quillon: extra operand 'c.txt'"},
      {{"--jobs=two"}, "quillon: invalid number of jobs 'two': 0 (one per core) to 999"},
      {{"--yes"}, "quillon: option '--yes' goes with --clean"},
      {{"--clean", "a.txt", "b.txt"}, "quillon: option '--clean' takes no files"},
      {{"missing.txt", "compare_in/a.txt"}, "quillon: missing.txt: No such file or directory"},
      {{"compare_in", "compare_in/a.txt"}, "quillon: compare_in: Is a directory"},
  };
  for (const auto& arguments_and_line : cases) {
    SCOPED_TRACE(arguments_and_line.second);
    Workspace workspace;
    workspace.write("notes.txt", "mine");
    for (const auto& input : kInputs) workspace.write("compare_in/" + input.first, input.second);
    FileMap before = Snapshot(workspace.root());
    Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo), arguments_and_line.first);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.transcript.substr(0, outcome.transcript.find('\n')),
              arguments_and_line.second);
    EXPECT_LE(std::count(outcome.transcript.begin(), outcome.transcript.end(), '\n'), 3);
    EXPECT_EQ(Snapshot(workspace.root()), before);
  }
}

// Runs the program with `keys`, and once its console shows `mark`, does
// `act` before the `rest` of the keys follow: what a person does while the
// run waits at a prompt.
Outcome RunActingAt(const Workspace& workspace, const std::string& keys, const std::string& mark,
                    const std::function<void()>& act, const std::string& rest) {
  int input[2], output[2];
  if (pipe(input) != 0 || pipe(output) != 0) return {};
  pid_t child = fork();
  if (child == 0) {
    dup2(input[0], 0);
    dup2(output[1], 1);
    dup2(output[1], 2);
    for (int fd : {input[0], input[1], output[0], output[1]}) close(fd);
    if (chdir(workspace.root().c_str()) != 0) _exit(127);
    alarm(120);
    execl(QUILLON_BINARY, "quillon", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(input[0]);
  close(output[1]);
  signal(SIGPIPE, SIG_IGN);
  if (write(input[1], keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) return {};
  Outcome outcome;
  char buffer[65536];
  bool acted = false;
  for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;) {
    outcome.transcript.append(buffer, static_cast<size_t>(got));
    if (!acted && outcome.transcript.find(mark) != std::string::npos) {
      acted = true;
      act();
      if (write(input[1], rest.data(), rest.size()) != static_cast<ssize_t>(rest.size())) break;
      close(input[1]);
    }
  }
  if (!acted) close(input[1]);
  close(output[0]);
  int status = 0;
  waitpid(child, &status, 0);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

// Files of the user's that the run never writes stay where they are and
// take no part in the run, whether they were there before it or saved while
// it waited at a prompt: those are named in a warning.
TEST(OwnFolderTest, TheUsersOtherFilesStayBeforeAndDuringTheRun) {
  Workspace workspace;
  for (const auto& input : kInputs) workspace.write("compare_in/" + input.first, input.second);
  const FileMap before = {{"notes.txt", "my notes\r\n"},
                          {"page.html", "<p>mine</p>"},
                          {"TODO.TXT", "todo"},
                          {"report.txtold", "old report"},
                          {"HTM_OUT/mine.htm", "in a folder of mine"}};
  for (const auto& file : before) workspace.write(file.first, file.second);
  const FileMap during = {{"saved.txt", "saved at the prompt\r\n"},
                          {"report.htm", "<p>report</p>"},
                          {"htm_out/mine.txt", "into the output folder\r\n"},
                          {"txt_in/extra.txt", "not to be compared\r\n"}};
  Outcome outcome = RunActingAt(
      workspace, Opening("1\n"), "-- select 2. file for compare --",
      [&] {
        for (const auto& file : during) workspace.write(file.first, file.second);
      },
      "2\n\n\nx");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_NE(outcome.transcript.find(Lines(
                {"Warning: htm_out/mine.txt appeared in the folder during the run; quillon left "
                 "it as it is.",
                 "Warning: report.htm appeared in the folder during the run; quillon left it as "
                 "it is.",
                 "Warning: saved.txt appeared in the folder during the run; quillon left it as "
                 "it is.",
                 "Warning: txt_in/extra.txt appeared in the folder during the run; quillon left "
                 "it as it is.",
                 "processed 100%"})),
            std::string::npos)
      << outcome.transcript;
  for (const FileMap& files : {before, during}) {
    for (const auto& file : files) EXPECT_EQ(workspace.read(file.first), file.second) << file.first;
  }
  EXPECT_EQ(workspace.read("htm_out/compare.htm"),
            ComparePage("100%", {"alpha words here"}, {"beta words there"}));
  // A file saved under a name the run writes next ends it, and stays.
  outcome = RunActingAt(
      workspace, Opening("1\n"), "-- select 2. file for compare --",
      [&] { workspace.write("index.htm", "my own index"); }, "2\n\n\nx");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.transcript.find("could not write index.htm: a file of yours is in the way"),
            std::string::npos)
      << outcome.transcript;
  EXPECT_EQ(workspace.read("index.htm"), "my own index");
  EXPECT_EQ(workspace.Files("compare_in"), kInputs);
}

// After a run, what the user puts in the folder under the names of the
// run's own files, or of the wrong kind where a page goes, stops the next
// run before it touches anything.
TEST(OwnFolderTest, AfterARunTheUsersFilesWithWorkNamesAreInTheWay) {
  Workspace workspace;
  for (const auto& input : kInputs) workspace.write("compare_in/" + input.first, input.second);
  ASSERT_EQ(RunQuillon(workspace, Opening(kCompareFirstTwo)).status, 0);
  workspace.write("f_01.txt", "mine");
  workspace.write("null.txt", "mine too");
  fs::remove(workspace.root() + "/htm_out/page_01.htm");
  workspace.write("htm_out/page_01.htm/inside.txt", "a folder where a page goes");
  FileMap before = Snapshot(workspace.root());
  Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.transcript, InTheWay({"f_01.txt", "htm_out/page_01.htm", "null.txt"}));
  EXPECT_EQ(Snapshot(workspace.root()), before);
}

// A folder used before the run kept its record: refused, with the way out;
// --clean lists what it would remove and, told so, removes that and nothing
// else, keeping the delivered pages; then a run works there again.
TEST(OwnFolderTest, AFolderWithoutARecordIsCleanedWhenThePersonSaysSo) {
  Workspace workspace;
  for (const auto& input : kInputs) workspace.write("compare_in/" + input.first, input.second);
  ASSERT_EQ(RunQuillon(workspace, Opening(kCompareFirstTwo)).status, 0);
  fs::remove(workspace.root() + "/.quillon-files");
  workspace.write("notes.docx", "mine");
  FileMap pages = workspace.Files("htm_out");
  FileMap before = Snapshot(workspace.root());
  Outcome refused = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.transcript.find("\"quillon --clean\""), std::string::npos)
      << refused.transcript;
  Outcome listed = RunQuillon(workspace, "", {"--clean"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_NE(
      listed.transcript.find("txt_wrk/b.txt\r\nwrd_24\r\nwrd_24/wrd_24_1.txt\r\n"
                             "None of them was removed: \"quillon --clean --yes\" removes them."),
      std::string::npos)
      << listed.transcript;
  EXPECT_EQ(Snapshot(workspace.root()), before);
  Outcome cleaned = RunQuillon(workspace, "", {"--clean", "--yes"});
  EXPECT_EQ(cleaned.status, 0);
  FileMap left = workspace.Files();
  for (const auto& file : kInputs) left.erase("compare_in/" + file.first);
  for (const auto& page : pages) left.erase("htm_out/" + page.first);
  left.erase(".quillon-files");
  EXPECT_EQ(left, (FileMap{{"notes.docx", "mine"}}));
  Outcome again = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(again.status, 0) << again.transcript;
  EXPECT_EQ(workspace.Files("htm_out").size(), pages.size());
}

// Output to a full device: the run fails, and the pages it delivered stay.
TEST(OwnFolderTest, AConsoleThatCannotBeWrittenToFailsTheRun) {
  Workspace workspace;
  for (const auto& input : kInputs) workspace.write("compare_in/" + input.first, input.second);
  workspace.write("keys", Opening(kCompareFirstTwo));
  pid_t child = fork();
  if (child == 0) {
    int keys = open((workspace.root() + "/keys").c_str(), O_RDONLY);
    int full = open("/dev/full", O_WRONLY);
    int null = open("/dev/null", O_WRONLY);
    if (keys < 0 || full < 0 || null < 0 || chdir(workspace.root().c_str()) != 0) _exit(127);
    dup2(keys, 0);
    dup2(full, 1);
    dup2(null, 2);
    execl(QUILLON_BINARY, "quillon", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
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
