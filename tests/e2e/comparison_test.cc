// The whole dialogue up to the comparison page, and the page worked out line
// by line. Later phases print more after the destination question and clear
// work files, so the transcript is compared up to there and the files are
// those that stay.

#include <gtest/gtest.h>

#include "phase_dialogue.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

TEST(ComparisonTest, PageOfTwoFilesLineByLine) {
  Workspace workspace;
  workspace.Write("compare_in/left.txt", "one\r\n  a < b & c  \r\n\r\n");
  workspace.Write("compare_in/Right File.txt",
                  "\xef\xbb\xbf"
                  "<b>bold</b>\n\ttab\t\nthree\nfour\nfive");
  // The user picks the right file first; the page still follows the listing.
  Outcome outcome = RunQuillon(workspace, Opening("2\n1\n80\nshop.example\n"));
  EXPECT_EQ(outcome.status, 0);
  std::string list = FileList({"left.txt", "Right_File.txt"});
  std::string expected = Lines({"", "", ""}) + ReformatHeading() + Lines({"File Not Found"}) +
                         FirstRunFolders() +
                         Selection(list, 2, "Right_File.txt", 1, "left.txt", "80", "shop.example");
  EXPECT_EQ(AfterProbes(outcome.transcript).substr(0, expected.size()), expected);
  std::string page = ComparePage("80%", {"one", "a < b & c", ""},
                                 {"\xef\xbb\xbf<b>bold</b>", "\ttab\t", "three", "four", "five"});
  EXPECT_EQ(workspace.Read("htm_wrk/compare.htm"), page);
  EXPECT_EQ(workspace.Read("txt_wrk/left.txt"), "one\r\n  a < b & c  \r\n\r\n");
}

TEST(ComparisonTest, DuplicateFilesAskThenKeyOneGoesOnAndKeyTwoEnds) {
  for (const std::string key : {"1", "x2"}) {
    Workspace workspace;
    workspace.Write("compare_in/a.txt", "same\r\n");
    workspace.Write("compare_in/b.txt", "same\r\n");
    Outcome outcome = RunQuillon(workspace, Opening("1\n2\n\n\n" + key));
    EXPECT_EQ(outcome.status, 0);
    std::string expected =
        UpToSelection() + Selection(FileList({"a.txt", "b.txt"}), 1, "a.txt", 2, "b.txt") +
        Lines({"", "----- duplicate files -----", "a.txt", "b.txt", "", "<1> continue", "<2> end"});
    std::string transcript = AfterProbes(outcome.transcript);
    if (key == "1") {
      EXPECT_EQ(transcript.substr(0, expected.size()), expected);
      EXPECT_EQ(workspace.Read("htm_wrk/compare.htm"), ComparePage("100%", {"same"}, {"same"}));
    } else {
      EXPECT_EQ(transcript, expected);
      EXPECT_FALSE(workspace.Exists("htm_wrk/compare.htm"));
    }
  }
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
