// copy and rename, performed on a real temporary folder. What dir, del and md
// do in a run is seen whole by the reference run and the tests of the run's
// own folder; forms no run issues (a folder named without a separator, md
// through a file) are not tested.

#include <gtest/gtest.h>

#include "support/test_run.h"

namespace quillon {
namespace {

const char kCopiedOne[] = "        1 file(s) copied.\r\n";
const char kCopiedNone[] = "        0 file(s) copied.\r\n";
const char kNoPath[] = "The system cannot find the path specified.\r\n";
const char kDuplicate[] = "A duplicate file name exists, or the file cannot be found.\r\n";

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t.write("b.txt", "bee");
    t.write("A.txt", "ay");
    t.write("txt_in/x.txt", "ex");
    t.write("txt_in/y.TXT", "why");
    t.disk->make_dir("empty");
  }
  DiskRun t;
};

TEST_F(FileCommandsTest, CopyCopiesOneFileOrEveryMatchAndCountsThem) {
  EXPECT_EQ(t.issue("copy /y txt_in\\*.txt EMPTY"), "        2 file(s) copied.\r\n");
  EXPECT_EQ(t.read("empty/y.TXT"), "why");
  EXPECT_EQ(t.issue("copy empty\\x.txt"), kCopiedOne);
  EXPECT_EQ(t.read("x.txt"), "ex");
#ifndef _WIN32
  // Where case tells files apart, a target that differs only in case is
  // another file: the one there is neither asked about nor replaced.
  EXPECT_EQ(t.issue("copy b.txt A.TXT"), kCopiedOne);
  EXPECT_EQ(t.read("A.txt"), "ay");
  EXPECT_EQ(t.read("A.TXT"), "bee");
  t.issue("dir /b a*.* > list.txt");
  EXPECT_EQ(t.read("list.txt"), "A.TXT\r\nA.txt\r\n");
#endif
  // The copy is made aside and takes its name whole; nothing is left beside it.
  EXPECT_FALSE(t.dir.Exists("copy_01.tmp"));
}

TEST_F(FileCommandsTest, CopyOfNothingSaysSo) {
  EXPECT_EQ(t.issue("copy /y *.doc txt_in\\ > out.list"),
            "The system cannot find the file specified.\r\n");
  EXPECT_EQ(t.issue("copy /y b.txt missing\\"), std::string(kNoPath) + kCopiedNone);
  EXPECT_EQ(t.issue("copy b.txt"),
            "The file cannot be copied onto itself.\r\n" + std::string(kCopiedNone));
  EXPECT_EQ(t.read("b.txt"), "bee");
}

// On the fake disk, where a file read is a snapshot: on a real one the
// target read while it is written would grow without end.
// What a copy that fails says: which file, read or written, and why.
TEST(CopyFailureTest, SaysWhichFileCouldNotBeReadOrWrittenAndWhy) {
  auto copy_with = [](const Fault& fault) {
    FakeRun t;
    t.disk.AddFile("a.txt", "alpha");
    t.disk.AddDir("d");
    t.disk.AddFault(fault);
    t.run.run_command("copy a.txt d\\");
    EXPECT_FALSE(t.disk.HasFile("d/a.txt"));
    EXPECT_EQ(t.run.failures.count(), 1);
    return t.transcript();
  };
  EXPECT_EQ(copy_with({DiskOp::kOpenRead, "a.txt", 1, 0}),
            "The system cannot read from the specified device: a.txt (permission denied).\r\n" +
                std::string(kCopiedNone));
  EXPECT_EQ(copy_with({DiskOp::kWrite, "copy_01.tmp", 1, 0}),
            "The system cannot write to the specified device: d\\a.txt (the disk is full).\r\n" +
                std::string(kCopiedNone));
}

// On the real disk a name is cut at a NUL byte, so that "..\0" would be the
// folder above the working folder.
TEST_F(FileCommandsTest, NamesWithANulByteReachNothingOutsideTheFolder) {
  const std::string up("..\0", 3);
  EXPECT_EQ(t.issue("dir /b " + up + "\\"), "File Not Found\r\n");
  EXPECT_EQ(t.issue("dir /b " + up), "File Not Found\r\n");
  EXPECT_EQ(t.issue("copy " + up + "\\*.* txt_in\\"), std::string(kNoPath) + kCopiedNone);
  EXPECT_EQ(t.issue("md " + up + "\\x"), kNoPath);
  EXPECT_EQ(t.issue("rename b.txt " + up), "The syntax of the command is incorrect.\r\n");
  EXPECT_EQ(t.read("b.txt"), "bee");
}

// The overwrite question goes to the console, even when the output is
// redirected; the end of the input answers no.
TEST(CopyOverwriteTest, AsksBeforeReplacingAndReadsAnswerLines) {
  DiskRun t("n\r\nmaybe\nall\ny");
  t.write("a.txt", "new");
  t.write("b.txt", "old");
  t.write("txt_in/a.txt", "old");
  t.write("txt_in/c.txt", "old");
  EXPECT_EQ(t.issue("copy a.txt b.txt > out.list"), "Overwrite b.txt? (Yes/No/All): n\r\n");
  EXPECT_EQ(t.read("out.list"), kCopiedNone);
  EXPECT_EQ(t.read("b.txt"), "old");
  t.write("c.txt", "new");
  EXPECT_EQ(t.issue("copy *.txt txt_in > out.list"),
            "Overwrite txt_in\\a.txt? (Yes/No/All): maybe\r\n"
            "Overwrite txt_in\\a.txt? (Yes/No/All): all\r\n");
  EXPECT_EQ(t.read("out.list"), "        3 file(s) copied.\r\n");
  EXPECT_EQ(t.read("txt_in/c.txt"), "new");
  t.write("d/a.txt", "old");
  EXPECT_EQ(t.issue("copy a.txt d\\"),
            "Overwrite d\\a.txt? (Yes/No/All): y\r\n" + std::string(kCopiedNone));
  EXPECT_EQ(t.read("d/a.txt"), "old");
}

TEST_F(FileCommandsTest, RenameInPlaceRefusesMissingFilesAndClashes) {
  EXPECT_EQ(t.issue("rename \"txt_in\\x.txt\" z.txt"), "");
  EXPECT_EQ(t.read("txt_in/z.txt"), "ex");
  EXPECT_EQ(t.issue("rename \"txt_in\\z.txt\" y.TXT"), kDuplicate);
  EXPECT_EQ(t.read("txt_in/y.TXT"), "why");
  EXPECT_EQ(t.issue("rename txt_in\\Z.TXT Z.txt"), "");
  EXPECT_EQ(t.read("txt_in/Z.txt"), "ex");
#ifndef _WIN32
  // A name that differs from another only in case names another file.
  EXPECT_EQ(t.issue("rename txt_in\\Z.txt Y.txt"), "");
  EXPECT_EQ(t.read("txt_in/Y.txt"), "ex");
  EXPECT_EQ(t.read("txt_in/y.TXT"), "why");
  // Where case tells files apart, a case-only rename must not replace the other one.
  t.write("txt_in/q.txt", "small");
  t.write("txt_in/Q.txt", "capital");
  EXPECT_EQ(t.issue("rename txt_in\\q.txt Q.txt"), kDuplicate);
  EXPECT_EQ(t.read("txt_in/Q.txt"), "capital");
#endif
}

}  // namespace
}  // namespace quillon
