// How command lines are taken apart and wired: redirections, the for loop,
// "cmd /c", the pipe and the messages of unknown commands.

#include "shell/command_layer.h"

#include <gtest/gtest.h>

#include "shell/command_line.h"
#include "support/test_run.h"

namespace quillon {
namespace {

class CommandLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t.disk.AddFile("keep.txt", "k");
    t.disk.AddFile("txt_in/a.htm", "<a>");
    t.disk.AddFile("txt_in/b.html", "<b>");
  }
  FakeRun t;
};

TEST_F(CommandLayerTest, RedirectionsTruncateAppendAndFeedTheLastTarget) {
  const std::string page = "Active code page: 65001\r\n";
  t.issue("chcp > a.txt");
  t.issue("chcp >> a.txt");
  EXPECT_EQ(t.disk.Content("a.txt"), page + page);
  t.disk.AddFile("c.txt", "old");
  t.issue("chcp > b.txt >> c.txt");
  EXPECT_EQ(t.disk.Content("b.txt"), "");
  EXPECT_EQ(t.disk.Content("c.txt"), "old" + page);
}

// A target that cannot be made must stop the command: "del" here would
// otherwise remove a user's file.
TEST_F(CommandLayerTest, TargetsAreMadeEvenWhenTheCommandFails) {
  EXPECT_EQ(t.issue("find \"x\" missing.txt > made.txt"), "File not found - missing.txt\r\n");
  EXPECT_TRUE(t.disk.HasFile("made.txt"));
  EXPECT_EQ(t.issue("del /q keep.txt > no_dir\\out.txt"),
            "The system cannot find the path specified.\r\n");
  EXPECT_TRUE(t.disk.HasFile("keep.txt"));
  EXPECT_EQ(t.issue("dir >"), "The syntax of the command is incorrect.\r\n");
}

TEST_F(CommandLayerTest, UnknownCommandsAndQuotedCommandNamesAreRefused) {
  const std::string second = "operable program or batch file.\r\n";
  EXPECT_EQ(t.issue("wget -q x > out.txt"),
            "'wget' is not recognized as an internal or external command,\r\n" + second);
  EXPECT_EQ(t.issue("\"del\" /q keep.txt"),
            "'del' is not recognized as an internal or external command,\r\n" + second);
  EXPECT_TRUE(t.disk.HasFile("keep.txt"));
  EXPECT_EQ(t.console.errors(), t.console.transcript());
}

TEST_F(CommandLayerTest, ForLoopsRunTheBodyForEachValue) {
  t.issue("for %i in (TXT_IN\\*.htm, keep.txt;none) do find /c \"<\" %i > counts.txt");
  EXPECT_EQ(t.disk.Content("counts.txt"),
            "---------- TXT_IN\\A.HTM: 1\r\n---------- TXT_IN\\B.HTML: 1\r\n"
            "---------- KEEP.TXT: 0\r\n");
  EXPECT_EQ(t.console.errors(), "File not found - none\r\n");
  t.disk.AddFile("a", "user");
  t.disk.AddFile("a,b.txt", "user");
  t.issue("for %i in (" + QuoteArgument("a,b.txt") + ") do del /q %i");
  EXPECT_TRUE(t.disk.HasFile("a"));
  EXPECT_FALSE(t.disk.HasFile("a,b.txt"));
}

TEST_F(CommandLayerTest, CmdSlashCAndThePipe) {
  EXPECT_EQ(t.issue("CMD /C"), "");
  EXPECT_EQ(t.issue("dir *.htm | find /c \".htm\" > count.txt"), "File Not Found\r\n");
  EXPECT_EQ(t.disk.Content("count.txt"), "0\r\n");
}

TEST_F(CommandLayerTest, ErrorsFollowEverythingPrintedBefore) {
  t.run.print_text("before ");
  t.run.run_command("copy missing.txt x.txt");
  t.run.print_line("after");
  EXPECT_EQ(t.transcript(),
            "before The system cannot find the file specified.\r\n"
            "        0 file(s) copied.\r\nafter\r\n");
}

}  // namespace
}  // namespace quillon
