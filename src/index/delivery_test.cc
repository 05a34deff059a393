#include "index/delivery.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/end_run.h"
#include "base/test_run.h"

namespace quillon {
namespace {

TEST(DeliveryTest, DeliversThePagesClearsTheWorkFilesAndShowsTheResults) {
  FakeRun fake("x");
  fake.disk.AddFile("htm_out/earlier.htm", "from an earlier run");
  // What an indexing run leaves in the working folder before its last stage.
  for (const char* page : {"page_01.htm", "page_02.htm", "page_01_01.htm", "page_01_02.htm",
                           "i_1.htm", "s_1.htm", "files_list.htm", "index.htm"}) {
    fake.disk.AddFile(page, std::string("content of ") + page);
  }
  fake.disk.AddFile("htm_wrk/compare.htm", "side by side");
  fake.disk.AddFile("dir_02.txt", "page_01.htm\r\nPAGE_02.HTM\r\nnot a page\r\n");
  for (const char* work :
       {"wrd_11_1.txt", "wrd_11_1_count.txt", "out_null.list", "txt_wrk.list", "compare_in.list"}) {
    fake.disk.AddFile(work, "work");
  }
  fake.disk.AddFile("notes.list", "the user's own");
  fake.disk.AddFile("compare_in/a.txt", "input");
  fake.run.settings.word_total = 1234;
  EXPECT_THROW(deliver_results(fake.run), RunEnded);
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
  // The reference run pins the whole results screen.
  std::string transcript = fake.transcript();
  EXPECT_NE(transcript.find("\r\nwords in *.html files =  1234\r\n"), std::string::npos)
      << transcript;
  EXPECT_EQ(transcript.substr(transcript.size() - 35), "<...> any key to continue and end\r\n");
}

}  // namespace
}  // namespace quillon
