// Every way the choice of files and the table width can go.

#include <gtest/gtest.h>

#include "phase_dialogue.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

const char kChoiceEnd[] = "<...> any key for continue, end";

std::string TwoFiles(Workspace& workspace) {
  workspace.Write("compare_in/a.txt", "alpha\r\n");
  workspace.Write("compare_in/b.txt", "beta\r\n");
  return FileList({"a.txt", "b.txt"});
}

TEST(SelectionTest, MissingInputFolder) {
  Workspace workspace;
  Outcome outcome = RunQuillon(workspace, Opening("21"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(AfterProbes(outcome.transcript),
            Lines({"File Not Found", "The system cannot find the path specified.",
                   "The system cannot find the path specified.", "", "File Not Found",
                   "File Not Found"}) +
                ReformatHeading() + Lines({"File Not Found", "File Not Found", "File Not Found"}) +
                FirstRunFolders() +
                Lines({"File Not Found", "", kSeparator, "Subfolder compare_in is empty",
                       "The files you want to compare must be written to UTF-8 format and copied "
                       "to the COMPARE_IN subfolder.",
                       "", "<1> = continue and end"}));
}

TEST(SelectionTest, AnUpperCaseExtensionIsNotCounted) {
  Workspace workspace;
  workspace.Write("compare_in/A.TXT", "a");
  workspace.Write("compare_in/b.txt", "b");
  Outcome outcome = RunQuillon(workspace, Opening("1"));
  EXPECT_EQ(AfterProbes(outcome.transcript),
            UpToSelection() +
                Lines({"", kSeparator, "The compare_in subfolder must contain at least 2 files.",
                       "", "<1> = continue and end"}));
}

TEST(SelectionTest, FirstChoiceOutOfRange) {
  for (const char* answer : {"0", "3", "two"}) {
    Workspace workspace;
    std::string list = TwoFiles(workspace);
    Outcome outcome = RunQuillon(workspace, Opening(std::string(answer) + "\nx"));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(AfterProbes(outcome.transcript),
              UpToSelection() + FirstChoice(list, answer) +
                  Lines({"line number is out of range", "", kChoiceEnd}))
        << answer;
    EXPECT_FALSE(workspace.Exists("txt_in/a.txt"));
  }
}

TEST(SelectionTest, SecondChoiceOutOfRangeOrTheSame) {
  for (const auto& answer : {std::make_pair("3", "line number is out of range"),
                             std::make_pair("1", "the file is duplicated")}) {
    Workspace workspace;
    std::string list = TwoFiles(workspace);
    Outcome outcome = RunQuillon(workspace, Opening(std::string("1\n") + answer.first + "\n"));
    EXPECT_EQ(AfterProbes(outcome.transcript),
              UpToSelection() + FirstChoice(list, "1") + Chosen(1, "a.txt") +
                  SecondChoice(list, answer.first) + Lines({answer.second, "", kChoiceEnd}));
    // The first choice is in txt_in already.
    EXPECT_EQ(workspace.Read("txt_in/a.txt"), "alpha\r\n");
  }
}

TEST(SelectionTest, TableWidthGoesInAsEntered) {
  for (const auto& answer :
       {std::make_pair("", "100%"), std::make_pair("140", "140%"), std::make_pair("-5", "-5%")}) {
    Workspace workspace;
    std::string list = TwoFiles(workspace);
    Outcome outcome = RunQuillon(workspace, Opening(std::string("1\n2\n") + answer.first + "\n\n"));
    std::string expected = UpToSelection() + Selection(list, 1, "a.txt", 2, "b.txt", answer.first);
    EXPECT_EQ(AfterProbes(outcome.transcript).substr(0, expected.size()), expected) << answer.first;
    EXPECT_EQ(workspace.Read("htm_wrk/compare.htm"),
              ComparePage(answer.second, {"alpha"}, {"beta"}));
  }
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
