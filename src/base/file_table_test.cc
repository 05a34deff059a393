#include "base/file_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/test_run.h"

namespace quillon {
namespace {

class FileTableTest : public ::testing::Test {
 protected:
  // Every line of a file as `read_line` and `end_of_file` give them.
  std::vector<std::string> ReadLines(const std::string& content) {
    t.disk.AddFile("in.txt", content);
    int number = files.free_file_number();
    files.open_input("in.txt", number);
    std::vector<std::string> lines;
    std::string line;
    while (!files.end_of_file(number) && lines.size() < 100) {
      files.read_line(number, &line);
      lines.push_back(line);
    }
    files.close_file(number);
    return lines;
  }

  std::string Written(void (*write)(FileTable&, int)) {
    files.open_output("out.txt", 3);
    write(files, 3);
    files.close_file(3);
    return t.disk.Content("out.txt");
  }

  FakeRun t;
  FileTable& files = t.run.files;
};

using Lines = std::vector<std::string>;

TEST_F(FileTableTest, HandsOutTheLowestOf255FreeNumbers) {
  EXPECT_EQ(files.free_file_number(), 1);
  for (int number = 1; number <= 255; ++number) files.open_output("f.txt", number);
  EXPECT_EQ(files.free_file_number(), 0);
  files.close_file(200);
  files.close_file(7);
  EXPECT_EQ(files.free_file_number(), 7);
  files.open_output("g.txt", 0);
  files.open_output("g.txt", 256);
  EXPECT_FALSE(t.disk.HasFile("g.txt"));
}

TEST_F(FileTableTest, FailedOpensLeaveTheNumberFreeAndSilent) {
  t.disk.AddDir("folder");
  files.open_input("missing.txt", 1);
  files.open_input("folder", 2);
  files.open_output("no_such_dir\\a.txt", 3);
  t.disk.AddFault({DiskOp::kOpenWrite, "refused", 1, 0});
  files.open_append("refused.txt", 4);
  for (int number = 1; number <= 4; ++number) {
    EXPECT_FALSE(files.is_open(number));
    EXPECT_TRUE(files.end_of_file(number));
    std::string line = "kept";
    files.read_line(number, &line);
    EXPECT_EQ(line, "kept");
    files.print_line(number, "dropped");
    files.close_file(number);
  }
  EXPECT_EQ(files.free_file_number(), 1);
  EXPECT_FALSE(t.disk.HasFile("refused.txt"));
}

TEST_F(FileTableTest, ReadLineSplitsAtLfAndDropsTheCrBeforeIt) {
  EXPECT_EQ(ReadLines("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(ReadLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(ReadLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(ReadLines("a\nb\n"), (Lines{"a", "b"}));
  EXPECT_EQ(ReadLines("a\rb\r\r\nc\r"), (Lines{"a\rb\r", "c"}));
  EXPECT_EQ(ReadLines("\n"), (Lines{""}));
  EXPECT_EQ(ReadLines(""), (Lines{}));
  EXPECT_EQ(ReadLines("\xEF\xBB\xBFhead\r\n"), (Lines{"\xEF\xBB\xBFhead"}));
}

TEST_F(FileTableTest, ReadLineReturnsLongLinesWholeAcrossBuffers) {
  std::string long_line(200000, 'x');
  EXPECT_EQ(ReadLines(long_line + "\r\nz"), (Lines{long_line, "z"}));
  // A CR LF pair that straddles the read window is still one line end.
  std::string head(65535, 'h');
  EXPECT_EQ(ReadLines(head + "\r\nz\r\n"), (Lines{head, "z"}));
}

TEST_F(FileTableTest, EndOfFileAndRewind) {
  t.disk.AddFile("in.txt", "one\r\ntwo\r\n");
  files.open_input("in.txt", 1);
  std::string line;
  files.read_line(1, &line);
  files.read_line(1, &line);
  EXPECT_TRUE(files.end_of_file(1));
  files.read_line(1, &line);
  EXPECT_EQ(line, "");
  files.rewind_file(1);
  EXPECT_FALSE(files.end_of_file(1));
  files.read_line(1, &line);
  EXPECT_EQ(line, "one");
  files.open_output("out.txt", 2);
  EXPECT_FALSE(files.end_of_file(2));
}

TEST_F(FileTableTest, NumbersAndPrintZones) {
  EXPECT_EQ(
      Written([](FileTable& f, int n) {
        f.print_number(n, 0, Ending::kNone);
        f.print_number(n, -5, Ending::kLine);
        f.print_number(n, 3, Ending::kZone);
        f.print_text(n, "x");
        f.print_line(n);
        f.print_text(n, "12345678901234");
        f.print_number(n, 7, Ending::kZone);
        f.print_text(n, "y\r\nab");
        f.print_number(n, 1234567890123, Ending::kZone);
        f.print_text(n, "|");
      }),
      " 0-5\r\n 3            x\r\n12345678901234 7            y\r\nab 1234567890123            |");
  EXPECT_EQ(zone_padding(0), 14);
  EXPECT_EQ(zone_padding(14), 14);
  EXPECT_EQ(zone_padding(15), 13);
}

TEST_F(FileTableTest, WriteQuotedWritesOneRecordPerCall) {
  EXPECT_EQ(Written([](FileTable& f, int n) {
              f.write_quoted(n, {"a", "b c", ""});
              f.write_quoted(n, std::vector<std::string>{"say \"hi\""});
            }),
            "\"a\",\"b c\",\"\"\r\n\"say \"hi\"\"\r\n");
}

TEST_F(FileTableTest, OutputIsCompleteOnlyAfterClose) {
  files.open_output("out.txt", 1);
  files.print_line(1, "short");
  EXPECT_TRUE(t.disk.HasFile("out.txt"));
  EXPECT_EQ(t.disk.Content("out.txt"), "");
  std::string big(10000, 'b');
  files.print_text(1, big);
  files.close_file(1);
  EXPECT_EQ(t.disk.Content("out.txt"), "short\r\n" + big);
  files.open_append("out.txt", 1);
  files.print_text(1, "+");
  files.close_file(1);
  EXPECT_EQ(t.disk.Content("out.txt"), "short\r\n" + big + "+");
}

TEST_F(FileTableTest, AFailedWriteLeavesACleanPrefix) {
  t.disk.AddFault({DiskOp::kWrite, "out.txt", 1, 100});
  files.open_output("out.txt", 1);
  std::string expected;
  for (int i = 0; i < 2000; ++i) {
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

TEST_F(FileTableTest, AReadErrorEndsTheFile) {
  t.disk.AddFault({DiskOp::kRead, "in.txt", 1, 4});
  EXPECT_EQ(ReadLines("ab\r\ncd\r\nef\r\n"), (Lines{"ab", ""}));
}

TEST_F(FileTableTest, NamesFindEntriesWithEitherSeparatorAndAnyCase) {
  t.disk.AddFile("txt_in/Data.txt", "x\r\n");
  files.open_input("TXT_IN\\data.TXT", 1);
  EXPECT_TRUE(files.is_open(1));
  files.open_output("txt_in/DATA.txt", 2);
  files.print_text(2, "new");
  files.close_file(2);
  files.open_output("Txt_In\\Fresh.txt", 2);
  files.close_file(2);
  EXPECT_EQ(t.disk.Content("txt_in/Data.txt"), "new");
  EXPECT_TRUE(t.disk.HasFile("txt_in/Fresh.txt"));
  EXPECT_TRUE(files.file_exists("TXT_IN/FRESH.TXT"));
  EXPECT_FALSE(files.file_exists("txt_in"));
  EXPECT_FALSE(files.file_exists("..\\txt_in\\Data.txt"));
}

TEST_F(FileTableTest, CopyAndDeleteFiles) {
  t.disk.AddFile("a.txt", "alpha");
  t.disk.AddFile("b.txt", "old and longer");
  files.copy_file("A.TXT", "b.txt");
  EXPECT_EQ(t.disk.Content("b.txt"), "alpha");
  files.copy_file("missing.txt", "b.txt");
  EXPECT_EQ(t.disk.Content("b.txt"), "alpha");
  files.copy_file("a.txt", "A.txt");
  EXPECT_EQ(t.disk.Content("a.txt"), "alpha");
  files.delete_file("B.TXT");
  files.delete_file("missing.txt");
  EXPECT_FALSE(t.disk.HasFile("b.txt"));
  EXPECT_TRUE(t.disk.HasFile("a.txt"));
}

}  // namespace
}  // namespace quillon
