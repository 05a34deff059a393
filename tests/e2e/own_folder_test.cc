// The run's folder is its own: what is in the way is named and nothing is
// touched, links lead nowhere, the user's files stay whatever the run meets,
// and a run killed anywhere leaves a folder the next run accepts.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
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
      {"work folders and files that are links, and a hard link",
       [](const Workspace& w, const Outside& o) {
         for (const char* folder : {"txt_wrk", "htm_out"}) Link(o.place.root(), w, folder);
         for (const char* name : {"f_01.txt", "compare.htm"})
           Link(o.place.root() + "/target.txt", w, name);
         fs::create_hard_link(o.place.root() + "/target.txt", w.root() + "/dir_cur.txt");
       },
       InTheWay({"compare.htm", "dir_cur.txt", "f_01.txt", "htm_out", "txt_wrk"})},
      // A person's home folder, say: nothing to compare, nothing written.
      {"no compare_in",
       [](const Workspace& w, const Outside&) {
         fs::remove_all(w.root() + "/compare_in");
         w.write("notes.txt", "my notes\r\n");
         w.write("Documents/letter.htm", "<p>mine</p>");
       },
       kNoInputFolder},
      // After a run: the user's files under the names of its own files, or
      // a folder where a page goes.
      {"work names after a run",
       [](const Workspace& w, const Outside&) {
         ASSERT_EQ(RunQuillon(w, Opening(kCompareFirstTwo)).status, 0);
         w.write("f_01.txt", "mine");
         w.write("null.txt", "mine too");
         fs::remove(w.root() + "/htm_out/page_01.htm");
         w.write("htm_out/page_01.htm/inside.txt", "a folder where a page goes");
       },
       InTheWay({"f_01.txt", "htm_out/page_01.htm", "null.txt"})},
  };
  for (const Arrangement& c : cases) {
    SCOPED_TRACE(c.what);
    Workspace workspace;
    Outside outside;
    outside.place.write("target.txt", "outside, never to change\r\n");
    Put(workspace, kInputs);
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

// Files of the user's that the run never writes stay where they are and
// take no part in the run, whether they were there before it or saved while
// it waited at a prompt: those are named in a warning.
TEST(OwnFolderTest, TheUsersOtherFilesStayBeforeAndDuringTheRun) {
  const FileMap before = {
      {"notes.txt", "my notes\r\n"}, {"TODO.TXT", "todo"}, {"HTM_OUT/mine.htm", "mine"}};
  const FileMap during = {{"saved.txt", "saved at the prompt\r\n"},
                          {"htm_out/mine.txt", "into the output folder\r\n"}};
  Workspace workspace;
  Put(workspace, kInputs);
  Put(workspace, before, ".");
  Command run(workspace, {}, Opening("1\n"), {-1, false, /*more_keys=*/true});
  ASSERT_TRUE(run.ReadUntil("-- select 2. file for compare --")) << run.out;
  Put(workspace, during, ".");
  run.Type("2\n\n\nx");
  EXPECT_EQ(run.Finish(), 0);
  for (const FileMap* files : {&before, &during}) {
    for (const auto& file : *files) EXPECT_EQ(workspace.read(file.first), file.second);
  }
  EXPECT_EQ(workspace.Files("compare_in"), kInputs);
  const std::string warning = " appeared in the folder during the run; quillon left it as it is.";
  EXPECT_NE(run.out.find(Lines({"Warning: htm_out/mine.txt" + warning,
                                "Warning: saved.txt" + warning, "processed 100%"})),
            std::string::npos)
      << run.out;
  EXPECT_EQ(workspace.read("htm_out/compare.htm"),
            ComparePage("100%", {"alpha words here"}, {"beta words there"}));
}

// A folder used before the run kept its record: refused, with the way out;
// --clean lists what it would remove and, told so, removes that and nothing
// else, keeping the delivered pages; then a run works there again.
TEST(OwnFolderTest, AFolderWithoutARecordIsCleanedWhenThePersonSaysSo) {
  Workspace workspace;
  Put(workspace, kInputs);
  ASSERT_EQ(RunQuillon(workspace, Opening(kCompareFirstTwo)).status, 0);
  fs::remove(workspace.root() + "/.quillon-files");
  workspace.write("notes.docx", "mine");
  FileMap pages = workspace.Files("htm_out");
  FileMap before = Snapshot(workspace.root());
  Outcome refused = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(refused.status, 2);
  EXPECT_TRUE(Printed(refused, "\"quillon --clean\"")) << refused.transcript;
  Outcome listed = RunQuillon(workspace, "", {"--clean"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_TRUE(Printed(listed,
                      "txt_wrk/b.txt\r\nwrd_24\r\nwrd_24/wrd_24_1.txt\r\n"
                      "None of them was removed: \"quillon --clean --yes\" removes them."))
      << listed.transcript;
  EXPECT_EQ(Snapshot(workspace.root()), before);
  EXPECT_EQ(RunQuillon(workspace, "", {"--clean", "--yes"}).status, 0);
  FileMap left = workspace.Files();
  for (const auto& file : kInputs) left.erase("compare_in/" + file.first);
  for (const auto& page : pages) left.erase("htm_out/" + page.first);
  left.erase(".quillon-files");
  EXPECT_EQ(left, (FileMap{{"notes.docx", "mine"}}));
  Outcome again = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(again.status, 0) << again.transcript;
  EXPECT_EQ(workspace.Files("htm_out").size(), pages.size());
}

// Killed at random moments, a run leaves only what the next run accepts as
// its own, and that run completes.
TEST(OwnFolderTest, TheRunAfterAKilledOneIsNotRefusedAndCompletes) {
  FileMap inputs;
  for (int i = 0; i < 1500; ++i) {
    inputs["first file.txt"] += "line " + std::to_string(i) + " of words to index\r\n";
    inputs["second.txt"] += "row " + std::to_string(i) + " of other words\r\n";
  }
  int null = open("/dev/null", O_WRONLY);
  ASSERT_GE(null, 0);
  std::mt19937 pick(std::random_device{}());
  for (int trial = 0; trial < 6; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    Workspace workspace;
    Put(workspace, inputs);
    {
      Command killed(workspace, {}, Opening(kCompareFirstTwo), Command::Io(null));
      std::this_thread::sleep_for(std::chrono::milliseconds(pick() % 300));
      kill(killed.pid(), SIGKILL);
    }
    Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
    EXPECT_EQ(outcome.status, 0) << outcome.transcript;
    EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait));
    EXPECT_EQ(workspace.Files("compare_in"), (FileMap{{"first_file.txt", inputs["first file.txt"]},
                                                      {"second.txt", inputs["second.txt"]}}));
    FileMap delivered = workspace.Files("htm_out");
    EXPECT_TRUE(delivered.count("compare.htm") && delivered.count("index.htm"));
  }
  close(null);
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
