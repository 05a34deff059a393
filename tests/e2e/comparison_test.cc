// The whole dialogue up to the comparison page, against the reference run
// and against pages worked out line by line. Later phases may print more
// after the destination question and clear work files, so the transcript is
// compared up to there and the files are those that stay.

#include <gtest/gtest.h>

#include "phase_dialogue.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

const char kGolden[] = "../shared/golden/basic/";

bool StartsWith(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}

TEST(ComparisonTest, MatchesTheReferenceRun) {
  std::string reference = SourceFile(std::string(kGolden) + "transcript");
  if (reference.empty()) GTEST_SKIP() << "no reference run beside the source tree";
  Workspace workspace;
  workspace.CopyFrom(std::string(kGolden) + "input_compare_in", "compare_in");
  Outcome outcome = RunQuillon(workspace, SourceFile(std::string(kGolden) + "keys"));
  EXPECT_EQ(outcome.status, 0);
  const std::string kEnd = "(example: www.amazon.com) =? \r\n\r\n";
  size_t end = reference.find(kEnd);
  ASSERT_NE(end, std::string::npos);
  std::string expected = reference.substr(0, end + kEnd.size());
  EXPECT_EQ(outcome.transcript.substr(0, expected.size()), expected);
  for (const char* path : {"compare_in/a.txt", "compare_in/b.txt", "txt_in/a.txt", "txt_in/b.txt",
                           "txt_wrk/a.txt", "txt_wrk/b.txt", "htm_wrk/compare.htm"}) {
    EXPECT_EQ(workspace.Read(path), SourceFile(std::string(kGolden) + "after/" + path)) << path;
  }
  EXPECT_EQ(workspace.Files("compare_in").size(), 2u);
  EXPECT_EQ(workspace.Files("txt_wrk").size(), 2u);
}

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
  EXPECT_TRUE(StartsWith(AfterProbes(outcome.transcript), expected))
      << AfterProbes(outcome.transcript);
  std::string page = ComparePage("80%", {"one", "a < b & c", ""},
                                 {"\xef\xbb\xbf<b>bold</b>", "\ttab\t", "three", "four", "five"});
  EXPECT_EQ(workspace.Read("htm_wrk/compare.htm"), page);
  EXPECT_EQ(workspace.Read("txt_wrk/left.txt"), "one\r\n  a < b & c  \r\n\r\n");
}

TEST(ComparisonTest, DuplicateFilesAskAndKeyOneGoesOn) {
  Workspace workspace;
  workspace.Write("compare_in/a.txt", "same\r\n");
  workspace.Write("compare_in/b.txt", "same\r\n");
  Outcome outcome = RunQuillon(workspace, Opening("1\n2\n\n\n1"));
  EXPECT_EQ(outcome.status, 0);
  std::string list = FileList({"a.txt", "b.txt"});
  std::string expected =
      Lines({""}) + ReformatHeading() + Lines({"File Not Found"}) + FirstRunFolders() +
      Selection(list, 1, "a.txt", 2, "b.txt") +
      Lines({"", "----- duplicate files -----", "a.txt", "b.txt", "", "<1> continue", "<2> end"});
  EXPECT_TRUE(StartsWith(AfterProbes(outcome.transcript), expected))
      << AfterProbes(outcome.transcript);
  EXPECT_EQ(workspace.Read("htm_wrk/compare.htm"), ComparePage("100%", {"same"}, {"same"}));
}

TEST(ComparisonTest, DuplicateFilesKeyTwoEnds) {
  Workspace workspace;
  workspace.Write("compare_in/a.txt", "same\r\n");
  workspace.Write("compare_in/b.txt", "same\r\n");
  Outcome outcome = RunQuillon(workspace, Opening("1\n2\n\n\nx2"));
  EXPECT_EQ(outcome.status, 0);
  std::string list = FileList({"a.txt", "b.txt"});
  EXPECT_EQ(AfterProbes(outcome.transcript), Lines({""}) + ReformatHeading() +
                                                 Lines({"File Not Found"}) + FirstRunFolders() +
                                                 Selection(list, 1, "a.txt", 2, "b.txt") +
                                                 Lines({"", "----- duplicate files -----", "a.txt",
                                                        "b.txt", "", "<1> continue", "<2> end"}));
  EXPECT_FALSE(workspace.Exists("compare.htm"));
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
