// Intake and HTML inputs as the user meets them: names cleaned, other kinds
// of files moved out of compare_in, .txt twins of .htm files, clashes.

#include <gtest/gtest.h>

#include "phase_dialogue.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

// What the run printed after the probes, cut to the length of `head`.
std::string Head(const Outcome& outcome, const std::string& head) {
  return AfterProbes(outcome.transcript).substr(0, head.size());
}

std::string ClashReport(const std::string& stem) {
  return Lines({"", kSeparator, "Compare file names *.htm and *.txt", "", stem, "",
                "File has the same name and two extensions, *.htm, *.txt", "",
                "<1> = stop and rename file: " + stem,
                "<2> = continue and *.txt file will be recreate from *.htm"});
}

const char kReport[] =
    "<html>\r\n<head><title>Report</title></head>\r\n<body>\r\n<pre>\r\n  Report line  \r\n"
    "</pre>\r\n</body>\r\n</html>\r\n";

TEST(IntakeTest, NamesAreCleanedAndOtherKindsLeave) {
  Workspace workspace;
  // \304\214 is a C with a caron in UTF-8.
  const FileMap given = {
      {"My File.txt", "blanks\r\n"}, {"\304\214aj.txt", "accent\r\n"}, {"a-b.c.txt", "dots\r\n"},
      {"Page_2.txt", "page\r\n"},    {"mypage_1.txt", "clean\r\n"},    {"notes.TXT", "upper\r\n"},
      {"report.html", kReport},      {"data.csv", "1,2\r\n"},          {"photo.jpg", "\xff\xd8"}};
  for (const auto& file : given) workspace.Write("compare_in/" + file.first, file.second);
  workspace.MakeDir("compare_in/old");
  Outcome outcome = RunQuillon(workspace, Opening("4\n6\n\n\n"));
  EXPECT_EQ(outcome.status, 0);

  // Two blank lines for each of the four cleaned names, one after them.
  std::string list = FileList({"a_b_c.txt", "file_Page_2.txt", "mypage_1.txt", "My_File.txt",
                               "notes.TXT", "report.txt", "__aj.txt"});
  std::string expected = BlankLines(9) + ReformatHeading() + Lines({"        1 file(s) copied."}) +
                         FirstRunFolders() + Selection(list, 4, "My_File.txt", 6, "report.txt");
  EXPECT_EQ(Head(outcome, expected), expected);

  EXPECT_EQ(workspace.Files("compare_in"), (FileMap{{"My_File.txt", "blanks\r\n"},
                                                    {"__aj.txt", "accent\r\n"},
                                                    {"a_b_c.txt", "dots\r\n"},
                                                    {"file_Page_2.txt", "page\r\n"},
                                                    {"mypage_1.txt", "clean\r\n"},
                                                    {"notes.TXT", "upper\r\n"},
                                                    {"report.html", kReport},
                                                    {"report.txt", "Report line\r\n"}}));
  EXPECT_TRUE(workspace.Exists("compare_in/old"));
  EXPECT_EQ(workspace.Read("data.csv"), "1,2\r\n");
  EXPECT_EQ(workspace.Read("photo.jpg"), "\xff\xd8");
  EXPECT_EQ(workspace.Read("htm_wrk/compare.htm"),
            ComparePage("100%", {"blanks"}, {"Report line"}));
}

TEST(IntakeTest, ClashAnsweredWithTwoRecreatesTheTwin) {
  Workspace workspace;
  workspace.Write("compare_in/a.htm", "<BODY>\r\nfrom html\r\n</body>\r\n");
  workspace.Write("compare_in/a.txt", "old text\r\n");
  workspace.Write("compare_in/b.htm", "<body>\r\n  second  \r\n");
  Outcome outcome = RunQuillon(workspace, Opening("x2y\n1\n2\n\n\n"));
  EXPECT_EQ(outcome.status, 0);
  std::string list = FileList({"a.txt", "b.txt"});
  std::string expected = Lines({""}) + ReformatHeading() + ClashReport("a") +
                         "Overwrite compare_in\\a.txt? (Yes/No/All): y\r\n" +
                         Lines({"        1 file(s) copied.", "        1 file(s) copied."}) +
                         FirstRunFolders() + Selection(list, 1, "a.txt", 2, "b.txt");
  EXPECT_EQ(Head(outcome, expected), expected);
  EXPECT_EQ(workspace.Files("compare_in"), (FileMap{{"a.htm", "<BODY>\r\nfrom html\r\n</body>\r\n"},
                                                    {"a.txt", "from html\r\n"},
                                                    {"b.htm", "<body>\r\n  second  \r\n"},
                                                    {"b.txt", "second\r\n"}}));
  EXPECT_EQ(workspace.Read("htm_wrk/compare.htm"), ComparePage("100%", {"from html"}, {"second"}));
}

TEST(IntakeTest, ClashAnsweredWithOneEndsTheRun) {
  Workspace workspace;
  workspace.Write("compare_in/a.htm", "<body>\r\nfrom html\r\n</body>\r\n");
  workspace.Write("compare_in/a.txt", "old text\r\n");
  Outcome outcome = RunQuillon(workspace, Opening("1"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(AfterProbes(outcome.transcript), Lines({""}) + ReformatHeading() + ClashReport("a"));
  EXPECT_EQ(workspace.Files("compare_in"),
            (FileMap{{"a.htm", "<body>\r\nfrom html\r\n</body>\r\n"}, {"a.txt", "old text\r\n"}}));
}

TEST(IntakeTest, TwoNamesWithOneCleanNameAsk) {
  Workspace workspace;
  workspace.Write("compare_in/a b.txt", "first\r\n");
  workspace.Write("compare_in/a-b.txt", "second\r\n");
  Outcome outcome = RunQuillon(workspace, Opening("n\nn\n"));
  EXPECT_EQ(outcome.status, 0);
  std::string expected = Lines({"", "", "", "Overwrite a_b.txt? (Yes/No/All): n", "",
                                "Overwrite compare_in\\a_b.txt? (Yes/No/All): n", ""}) +
                         ReformatHeading();
  EXPECT_EQ(Head(outcome, expected), expected);
  // Nothing was overwritten: the second file keeps its given name.
  EXPECT_EQ(workspace.Files("compare_in"),
            (FileMap{{"a_b.txt", "first\r\n"}, {"a-b.txt", "second\r\n"}}));
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
