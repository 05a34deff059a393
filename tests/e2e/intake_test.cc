// Intake as the user meets it: names cleaned, other kinds of files moved out
// of compare_in, .txt twins of .htm files, and clashes that must ask first.

#include <gtest/gtest.h>

#include "phase_dialogue.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

const char kReport[] =
    "<html>\r\n<head><title>Report</title></head>\r\n<body>\r\n<pre>\r\n  Report line  \r\n"
    "</pre>\r\n</body>\r\n</html>\r\n";

bool Printed(const Outcome& outcome, const std::string& text) {
  return outcome.transcript.find(text) != std::string::npos;
}

TEST(IntakeTest, NamesAreCleanedAndOtherKindsLeave) {
  Workspace workspace;
  // \304\214 is a C with a caron in UTF-8.
  const FileMap given = {{"My File.txt", "blanks\r\n"}, {"\304\214aj.txt", "accent\r\n"},
                         {"notes.TXT", "upper\r\n"},    {"report.html", kReport},
                         {"data.csv", "1,2\r\n"},       {"photo.jpg", "\xff\xd8"}};
  for (const auto& file : given) workspace.write("compare_in/" + file.first, file.second);
  workspace.write("compare_in/old/kept.txt", "in a folder\r\n");
  Outcome outcome = RunQuillon(workspace, Opening("1\n3\n\n\n"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(Printed(outcome, FileList({"My_File.txt", "notes.TXT", "report.txt", "__aj.txt"})));
  EXPECT_EQ(workspace.Files("compare_in"), (FileMap{{"My_File.txt", "blanks\r\n"},
                                                    {"__aj.txt", "accent\r\n"},
                                                    {"notes.TXT", "upper\r\n"},
                                                    {"old/kept.txt", "in a folder\r\n"},
                                                    {"report.html", kReport},
                                                    {"report.txt", "Report line\r\n"}}));
  EXPECT_EQ(workspace.read("data.csv"), "1,2\r\n");
  EXPECT_EQ(workspace.read("photo.jpg"), "\xff\xd8");
  EXPECT_EQ(workspace.read("htm_wrk/compare.htm"),
            ComparePage("100%", {"blanks"}, {"Report line"}));
}

TEST(IntakeTest, AClashOfTwinsAsksAndOnlyKeyTwoRecreatesTheText) {
  const FileMap inputs = {{"a.htm", "<BODY>\r\nfrom html\r\n</body>\r\n"},
                          {"a.txt", "old text\r\n"},
                          {"b.htm", "<body>\r\n  second  \r\n"}};
  const std::string question = "<2> = continue and *.txt file will be recreate from *.htm\r\n";
  {
    Workspace workspace;
    for (const auto& file : inputs) workspace.write("compare_in/" + file.first, file.second);
    Outcome outcome = RunQuillon(workspace, Opening("1"));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(EndsWith(outcome.transcript, question));
    EXPECT_EQ(workspace.Files("compare_in"), inputs);
  }
  Workspace workspace;
  for (const auto& file : inputs) workspace.write("compare_in/" + file.first, file.second);
  // Other keys than 1 and 2 change nothing; then the overwrite is confirmed.
  Outcome outcome = RunQuillon(workspace, Opening("x2y\n1\n2\n\n\n"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(Printed(outcome, question + "Overwrite compare_in\\a.txt? (Yes/No/All): y\r\n"));
  FileMap expected = inputs;
  expected["a.txt"] = "from html\r\n";
  expected["b.txt"] = "second\r\n";
  EXPECT_EQ(workspace.Files("compare_in"), expected);
  EXPECT_EQ(workspace.read("htm_wrk/compare.htm"), ComparePage("100%", {"from html"}, {"second"}));
}

TEST(IntakeTest, TwoNamesWithOneCleanNameAskAndOverwriteNothing) {
  Workspace workspace;
  workspace.write("compare_in/a b.txt", "first\r\n");
  workspace.write("compare_in/a-b.txt", "second\r\n");
  Outcome outcome = RunQuillon(workspace, Opening("n\nn\n"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(Printed(outcome, Lines({"Overwrite a_b.txt? (Yes/No/All): n", "",
                                      "Overwrite compare_in\\a_b.txt? (Yes/No/All): n"})));
  EXPECT_EQ(workspace.Files("compare_in"),
            (FileMap{{"a_b.txt", "first\r\n"}, {"a-b.txt", "second\r\n"}}));
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
