#include "index/delivery.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/test_run.h"

namespace quillon {
namespace {

// The reference run pins the results screen; here, what is kept and where.
TEST(DeliveryTest, DeliversThePagesAndClearsOnlyTheWorkFiles) {
  FakeRun fake;
  fake.disk.AddFile("htm_out/earlier.htm", "from an earlier run");
  for (const char* page : {"page_01.htm", "page_02.htm", "page_01_01.htm", "i_1.htm", "s_1.htm",
                           "files_list.htm", "index.htm"}) {
    fake.disk.AddFile(page, page);
  }
  fake.disk.AddFile("htm_wrk/compare.htm", "side by side");
  fake.disk.AddFile("dir_02.txt", "page_01.htm\r\nPAGE_02.HTM\r\nnot a page\r\n");
  for (const char* work : {"wrd_11_1.txt", "out_null.list", "txt_wrk.list", "compare_in.list"}) {
    fake.disk.AddFile(work, "work");
  }
  fake.disk.AddFile("notes.list", "the user's own");
  fake.disk.AddFile("compare_in/a.txt", "input");
  deliver_pages(fake.run, "htm_wrk");
  std::map<std::string, std::string> expected = {{"compare_in/a.txt", "input"},
                                                 {"htm_out/compare.htm", "side by side"},
                                                 {"htm_out/files_list.htm", "files_list.htm"},
                                                 {"htm_out/i_1.htm", "i_1.htm"},
                                                 {"htm_out/index.htm", "index.htm"},
                                                 {"htm_out/page_01.htm", "page_01.htm"},
                                                 {"htm_out/page_02.htm", "page_02.htm"},
                                                 {"htm_out/s_1.htm", "s_1.htm"},
                                                 {"htm_wrk/compare.htm", "side by side"},
                                                 {"notes.list", "the user's own"}};
  EXPECT_EQ(fake.disk.Files(), expected);
}

}  // namespace
}  // namespace quillon
