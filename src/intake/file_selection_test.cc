// The numbered list, the two choices, the table width and every way the
// selection ends the run.

#include "intake/file_selection.h"

#include <gtest/gtest.h>

#include "base/end_run.h"
#include "base/test_run.h"

namespace quillon {
namespace {

const char kSeparator[] = "----------------------------\r\n";
const char kEndPrompt[] = "<1> = continue and end\r\n";

// The program's folder as intake leaves it: txt_wrk and htm_wrk made.
class FileSelectionTest : public ::testing::Test {
 protected:
  void Start(const std::string& keys) {
    t = std::make_unique<FakeRun>(keys);
    t->disk.AddDir("txt_wrk");
    t->disk.AddDir("htm_wrk");
    t->disk.AddDir("compare_in");
  }
  bool Select() {
    try {
      select_input_files(t->run);
      return true;
    } catch (const RunEnded&) {
      return false;
    }
  }
  void Add(const std::string& name) { t->disk.AddFile("compare_in/" + name, name + " text"); }
  std::string Transcript() { return t->transcript(); }
  std::unique_ptr<FakeRun> t;
};

std::string WidthQuestion(const std::string& answer) {
  return std::string("\r\n") + kSeparator +
         "Determining the size of the table according to the screen size.\r\n"
         "The table size parameter is defined in %\r\n"
         "100% means that the table is the same size (width) as the screen, but it is a matter "
         "of choice.\r\n\r\nsize table, a number without the % sign, <enter> = 100 :? " +
         answer + "\r\n";
}

TEST_F(FileSelectionTest, TxtInHoldsTheChoicesAndHtmInIsEmptied) {
  Start("2\n1\n\n");
  Add("a.txt");
  Add("b.txt");
  t->disk.AddFile("txt_in/stale.txt", "old");
  t->disk.AddFile("htm_in/stale.htm", "old");
  EXPECT_TRUE(Select());
  std::map<std::string, std::string> txt_in, htm_in;
  for (const auto& file : t->disk.Files()) {
    if (file.first.compare(0, 7, "txt_in/") == 0) txt_in[file.first] = file.second;
    if (file.first.compare(0, 7, "htm_in/") == 0) htm_in[file.first] = file.second;
  }
  EXPECT_EQ(txt_in, (std::map<std::string, std::string>{{"txt_in/a.txt", "a.txt text"},
                                                        {"txt_in/b.txt", "b.txt text"}}));
  EXPECT_TRUE(htm_in.empty());
  EXPECT_EQ(t->run.settings.table_width, "100%");
}

TEST_F(FileSelectionTest, TableWidthAsEntered) {
  for (const auto& answer :
       {std::make_pair("140", "140%"), std::make_pair("-5", "-5%"), std::make_pair("0", "100%"),
        std::make_pair("abc", "100%"), std::make_pair("  80 wide", "80%")}) {
    Start(std::string("1\n2\n") + answer.first + "\n");
    Add("a.txt");
    Add("b.txt");
    EXPECT_TRUE(Select());
    EXPECT_EQ(t->run.settings.table_width, answer.second) << answer.first;
    std::string transcript = Transcript();
    std::string tail = WidthQuestion(answer.first);
    EXPECT_EQ(transcript.substr(transcript.size() - tail.size()), tail);
  }
}

TEST_F(FileSelectionTest, EmptyTxtInEndsTheRun) {
  Start("1\n2\n\n");
  Add("a.txt");
  Add("b.txt");
  t->disk.AddFault({DiskOp::kOpenWrite, "txt_in/a.txt", 1, 0});
  t->disk.AddFault({DiskOp::kOpenWrite, "txt_in/b.txt", 1, 0});
  EXPECT_FALSE(Select());
  std::string tail =
      std::string("\r\n") + kSeparator + "Subfolder txt_in is empty\r\n\r\n" + kEndPrompt;
  std::string transcript = Transcript();
  EXPECT_EQ(transcript.substr(transcript.size() - tail.size()), tail);
}

TEST(TextFileCountTest, CountsLowerCaseTxtOnly) {
  FakeRun t;
  t.disk.AddFile("list.txt", "a.txt\r\nB.TXT\r\nc.txt.bak\r\nd.htm\r\n");
  EXPECT_EQ(text_file_count(t.run, "list.txt"), 2);
  EXPECT_EQ(text_file_count(t.run, "missing.txt"), 0);
}

}  // namespace
}  // namespace quillon
