#include "run/file_table.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "support/test_run.h"

namespace quillon {
namespace {

using Lines = std::vector<std::string>;

class FileTableTest : public ::testing::Test {
 protected:
  // Every line of a file as `read_line` and `end_of_file` give them.
  Lines ReadLines(const std::string& content) {
    t.disk.AddFile("in.txt", content);
    files.open_input("in.txt", 9);
    Lines lines;
    std::string line;
    while (!files.end_of_file(9) && lines.size() < 100) {
      files.read_line(9, &line);
      lines.push_back(line);
    }
    files.close_file(9);
    return lines;
  }

  FakeRun t;
  FileTable& files = t.run.files;
};

// A failed open keeps its number until it is closed, so that the next open
// never gets it: a loop reading one file must not end up testing another.
// Every failure but a missing file to read is noted with its reason.
TEST_F(FileTableTest, FailedOpensTakeTheirNumberReadEmptyAndDropWrites) {
  t.disk.AddDir("folder");
  files.open_input("missing.txt", 1);
  files.open_input("folder", 2);
  files.open_output("no_such_dir\\a.txt", 3);
  t.disk.AddFault({DiskOp::kOpenWrite, "refused", 1, 0});
  files.open_append("refused.txt", 4);
  t.disk.AddFault({DiskOp::kOpenRead, "denied", 1, 0});
  t.disk.AddFile("denied.txt", "secret\r\n");
  files.open_input("denied.txt", 5);
  EXPECT_EQ(files.free_file_number(), 6);
  for (int number = 1; number <= 5; ++number) {
    EXPECT_TRUE(files.is_open(number));
    EXPECT_TRUE(files.end_of_file(number));
    std::string line = "kept";
    files.read_line(number, &line);
    EXPECT_EQ(line, "kept");
    files.print_line(number, "dropped");
    EXPECT_EQ(files.write_failed(number), number == 3 || number == 4);
    files.close_file(number);
  }
  files.open_output("g.txt", 0);
  files.open_output("g.txt", 256);
  EXPECT_EQ(files.free_file_number(), 1);
  EXPECT_FALSE(t.disk.HasFile("refused.txt") || t.disk.HasFile("g.txt"));
  std::string noted;
  for (const DiskFailure& failure : t.run.failures.first()) noted += describe(failure) + "\n";
  EXPECT_EQ(noted, "could not read folder: " + describe(DiskError::kNotRegular) +
                       "\ncould not write no_such_dir\\a.txt: it does not exist\n"
                       "could not write refused.txt: permission denied\n"
                       "could not read denied.txt: permission denied\n");
}

TEST_F(FileTableTest, ReadLineSplitsAtLfDropsTheCrBeforeItAndEndsAtAReadError) {
  EXPECT_EQ(ReadLines("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(ReadLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(ReadLines("a\rb\r\r\nc\n"), (Lines{"a\rb\r", "c"}));
  EXPECT_EQ(ReadLines(""), (Lines{}));
  EXPECT_EQ(ReadLines("\xEF\xBB\xBFhead\r\n"), (Lines{"\xEF\xBB\xBFhead"}));
  std::string long_line(200000, 'x');
  EXPECT_EQ(ReadLines(long_line + "\r\nz"), (Lines{long_line, "z"}));
  // A CR LF pair that straddles the read window is still one line end.
  std::string head(65535, 'h');
  EXPECT_EQ(ReadLines(head + "\r\nz\r\n"), (Lines{head, "z"}));
  t.disk.AddFault({DiskOp::kRead, "in.txt", 1, 4});
  EXPECT_EQ(ReadLines("ab\r\ncd\r\nef\r\n"), (Lines{"ab", ""}));
}

TEST_F(FileTableTest, AFailedWriteLeavesACleanPrefix) {
  t.disk.AddFault({DiskOp::kWrite, "out.txt", 1, 100});
  files.open_output("out.txt", 1);
  std::string expected;
  // More than the output buffer holds, so that the failed write comes first.
  for (int i = 0; i < 200000; ++i) {
    std::string line = "line " + std::to_string(i);
    files.print_line(1, line);
    expected += line + "\r\n";
  }
  EXPECT_TRUE(files.write_failed(1));
  files.close_file(1);
  std::string content = t.disk.Content("out.txt");
  EXPECT_EQ(content, expected.substr(0, content.size()));
  EXPECT_EQ(files.free_file_number(), 1);
}

TEST_F(FileTableTest, NamesFindEntriesWithEitherSeparatorAndAnyCaseAndAreDeleted) {
  t.disk.AddFile("txt_in/Data.txt", "x\r\n");
  // A name written in another case is another file where the disk tells
  // case apart; a name read finds the file in any case.
  files.open_output("TXT_IN/DATA.txt", 2);
  files.print_text(2, "new");
  files.close_file(2);
  EXPECT_EQ(t.disk.Content("txt_in/Data.txt"), "x\r\n");
  EXPECT_EQ(t.disk.Content("txt_in/DATA.txt"), "new");
  EXPECT_TRUE(files.file_exists("TXT_IN\\data.TXT"));
  EXPECT_FALSE(files.file_exists("txt_in"));
  EXPECT_FALSE(files.file_exists("..\\txt_in\\Data.txt"));
  files.delete_file("Txt_In\\DATA.txt");
  EXPECT_EQ(t.disk.Files("txt_in"), (std::map<std::string, std::string>{{"Data.txt", "x\r\n"}}));
}

}  // namespace
}  // namespace quillon
