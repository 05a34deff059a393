#include "index/delivery.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <string>

#include "base/end_run.h"
#include "base/test_run.h"

namespace quillon {
namespace {

const char kResults[] =
    "processed 100%\r\n"
    "\r\n"
    "============ RESULTS ===========\r\n"
    "\r\n"
    "words in *.html files =  1234\r\n"
    "\r\n"
    "view subfolder: htm_out\r\n"
    "unindexed file: compare.htm\r\n"
    "\r\n"
    "indexed files: page*.htm, index*.htm, i_*.htm, s_*.htm\r\n"
    "You can access the index of all words by double-clicking on any word.\r\n"
    "details: https://quillon.example.org/\r\n"
    "\r\n"
    "<...> any key to continue and end\r\n";

// What an indexing run leaves in the working folder before its last stage.
template <typename Files>
void LeaveIndexingFiles(Files write) {
  for (const char* page : {"page_01.htm", "page_02.htm", "page_01_01.htm", "page_01_02.htm",
                           "i_1.htm", "s_1.htm", "files_list.htm", "index.htm"}) {
    write(page, std::string("content of ") + page);
  }
  write("htm_wrk/compare.htm", "side by side");
  write("dir_02.txt", "page_01.htm\r\nPAGE_02.HTM\r\nnot a page\r\n");
  for (const char* work :
       {"wrd_11_1.txt", "wrd_11_1_count.txt", "out_null.list", "txt_wrk.list", "compare_in.list"}) {
    write(work, "work");
  }
  write("notes.list", "the user's own");
  write("compare_in/a.txt", "input");
}

bool Ends(Run& run) {
  try {
    deliver_results(run);
  } catch (const RunEnded&) {
    return true;
  }
  return false;
}

TEST(DeliveryTest, DeliversThePagesClearsTheWorkFilesAndShowsTheResults) {
  FakeRun fake("x");
  fake.disk.AddDir("htm_out");
  fake.disk.AddFile("htm_out/earlier.htm", "from an earlier run");
  LeaveIndexingFiles(
      [&](const std::string& path, const std::string& text) { fake.disk.AddFile(path, text); });
  fake.run.settings.word_total = 1234;
  EXPECT_TRUE(Ends(fake.run));
  std::map<std::string, std::string> expected = {
      {"compare_in/a.txt", "input"},
      {"htm_out/compare.htm", "side by side"},
      {"htm_out/files_list.htm", "content of files_list.htm"},
      {"htm_out/i_1.htm", "content of i_1.htm"},
      {"htm_out/index.htm", "content of index.htm"},
      {"htm_out/page_01.htm", "content of page_01.htm"},
      {"htm_out/page_02.htm", "content of page_02.htm"},
      {"htm_out/s_1.htm", "content of s_1.htm"},
      {"htm_wrk/compare.htm", "side by side"},
      {"notes.list", "the user's own"}};
  EXPECT_EQ(fake.disk.Files(), expected);
  EXPECT_EQ(fake.transcript(), kResults);
}

TEST(DeliveryTest, MakesTheOutputFolderOnARealDisk) {
  DiskRun disk_run("\xff\x48");  // An arrow key ends the run like any other.
  LeaveIndexingFiles(
      [&](const std::string& path, const std::string& text) { disk_run.Write(path, text); });
  disk_run.run.settings.word_total = 1234;
  EXPECT_TRUE(Ends(disk_run.run));
  EXPECT_EQ(disk_run.Read("htm_out/page_02.htm"), "content of page_02.htm");
  EXPECT_EQ(disk_run.Read("htm_out/compare.htm"), "side by side");
  for (const char* gone : {"dir_01.txt", "dir_02.txt", "page_01_01.htm", "out_null.list"}) {
    EXPECT_NE(access((disk_run.dir.path() + "/" + gone).c_str(), F_OK), 0) << gone;
  }
  EXPECT_EQ(disk_run.Read("notes.list"), "the user's own");
  EXPECT_EQ(disk_run.transcript(), kResults);
}

}  // namespace
}  // namespace quillon
