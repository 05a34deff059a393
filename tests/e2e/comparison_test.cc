// The comparison page worked out line by line, and the question the run asks
// when the two chosen files are the same.

#include <gtest/gtest.h>

#include "phase_dialogue.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

TEST(ComparisonTest, PageOfTwoFilesLineByLine) {
  Workspace workspace;
  workspace.write("compare_in/left.txt", "one\r\n  a < b & c  \r\n\r\n");
  workspace.write("compare_in/Right File.txt",
                  "\xef\xbb\xbf"
                  "<b>bold</b>\n\ttab\t\nthree\nfour\nfive");
  // The right file is chosen first, yet the page follows the listing; the
  // width goes in as entered, even when it makes no sense.
  Outcome outcome = RunQuillon(workspace, Opening("2\n1\n-5\nshop.example\n"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_NE(outcome.transcript.find("1. file for compare: Right_File.txt"), std::string::npos);
  std::string page = ComparePage("-5%", {"one", "a < b & c", ""},
                                 {"\xef\xbb\xbf<b>bold</b>", "\ttab\t", "three", "four", "five"});
  EXPECT_EQ(workspace.read("htm_wrk/compare.htm"), page);
  EXPECT_EQ(workspace.read("txt_wrk/left.txt"), "one\r\n  a < b & c  \r\n\r\n");
}

TEST(ComparisonTest, DuplicateFilesAskThenKeyOneGoesOnAndKeyTwoEnds) {
  const std::string question =
      Lines({"", "----- duplicate files -----", "a.txt", "b.txt", "", "<1> continue", "<2> end"});
  for (const std::string key : {"1", "x2"}) {
    SCOPED_TRACE(key);
    Workspace workspace;
    workspace.write("compare_in/a.txt", "same\r\n");
    workspace.write("compare_in/b.txt", "same\r\n");
    Outcome outcome = RunQuillon(workspace, Opening("1\n2\n\n\n" + key));
    EXPECT_EQ(outcome.status, 0);
    if (key == "1") {
      EXPECT_NE(outcome.transcript.find(question), std::string::npos);
      EXPECT_EQ(workspace.read("htm_wrk/compare.htm"), ComparePage("100%", {"same"}, {"same"}));
    } else {
      EXPECT_TRUE(EndsWith(outcome.transcript, question));
      EXPECT_FALSE(workspace.Exists("htm_wrk/compare.htm"));
    }
  }
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
