// The work phases as the user meets them: names cleaned and other kinds of
// files moved out of compare_in, a clash that must ask first, and the ways
// the choice of files can stop the run.

#include <gtest/gtest.h>

#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

const char kReport[] =
    "<html>\r\n<head><title>Report</title></head>\r\n<body>\r\n<pre>\r\n  Report line  \r\n"
    "</pre>\r\n</body>\r\n</html>\r\n";

// Names that differ only in letter case are different files, and a folder
// is never a file to compare whatever its name.
TEST(IntakeTest, NamesAreCleanedAndOtherKindsLeave) {
  Workspace workspace;
  // \304\214 is a C with a caron in UTF-8.
  const FileMap given = {{"My File.txt", "blanks\r\n"},
                         {"my file.txt", "small\r\n"},
                         {"\304\214aj.txt", "accent\r\n"},
                         {"report.html", kReport},
                         {"photo.jpg", "\xff\xd8"},
                         {"notes.list", "mine\r\n"},
                         {"old.txt/kept.txt", "in a folder\r\n"}};
  Put(workspace, given);
  Outcome outcome = RunQuillon(workspace, Opening("1\n3\n\n\n"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(Printed(outcome, FileList({"My_File.txt", "my_file.txt", "report.txt", "__aj.txt"})))
      << outcome.transcript;
  EXPECT_EQ(workspace.Files("compare_in"), (FileMap{{"My_File.txt", "blanks\r\n"},
                                                    {"my_file.txt", "small\r\n"},
                                                    {"__aj.txt", "accent\r\n"},
                                                    {"old.txt/kept.txt", "in a folder\r\n"},
                                                    {"report.html", kReport},
                                                    {"report.txt", "Report line\r\n"}}));
  EXPECT_EQ(workspace.read("photo.jpg"), "\xff\xd8");
  // The run's own lists are deleted at the end, a user's list is not.
  EXPECT_EQ(workspace.read("notes.list"), "mine\r\n");
  EXPECT_EQ(workspace.read("htm_wrk/compare.htm"),
            ComparePage("100%", {"blanks"}, {"Report line"}));
}

// At the clash key 1 ends the run with nothing changed; other keys change
// nothing; key 2 and a "y" at the overwrite question recreate the text.
TEST(IntakeTest, AClashOfTwinsAsksAndOnlyKeyTwoRecreatesTheText) {
  const FileMap inputs = {{"a.htm", "<BODY>\r\nfrom html\r\n</body>\r\n"},
                          {"a.txt", "old text\r\n"},
                          {"b.htm", "<body>\r\n  second  \r\n"}};
  const std::string question = "<2> = continue and *.txt file will be recreate from *.htm\r\n";
  for (const char* keys : {"1", "x2y\n1\n2\n\n\n"}) {
    Workspace workspace;
    Put(workspace, inputs);
    Outcome outcome = RunQuillon(workspace, Opening(keys));
    EXPECT_EQ(outcome.status, 0);
    FileMap expected = inputs;
    if (keys[0] == '1') {
      EXPECT_TRUE(EndsWith(outcome.transcript, question));
    } else {
      EXPECT_TRUE(Printed(outcome, question + "Overwrite compare_in\\a.txt? (Yes/No/All): y\r\n"));
      expected["a.txt"] = "from html\r\n";
      expected["b.txt"] = "second\r\n";
    }
    EXPECT_EQ(workspace.Files("compare_in"), expected);
  }
}

const char kChoiceEnd[] = "<...> any key for continue, end";
// The answer echoed, the reason it was refused, and the wait that ends the run.
std::string Refused(const std::string& answer, const std::string& reason) {
  return Lines({"select file with line number = ? " + answer, reason, "", kChoiceEnd});
}

TEST(SelectionTest, ChoicesThatEndTheRun) {
  const FileMap two = {{"a.txt", "alpha\r\n"}, {"b.txt", "beta\r\n"}};
  const struct {
    const char* what;
    FileMap inputs;
    std::string keys;
    std::string ending;
    bool first_copied;
  } cases[] = {
      {"no text file in compare_in",
       {{"notes.docx", "x"}},
       "21",
       Lines({"", kSeparator, "Subfolder compare_in is empty",
              "The files you want to compare must be written to UTF-8 format and copied to the "
              "COMPARE_IN subfolder.",
              "", "<1> = continue and end"}),
       false},
      {"first 0", two, "0\nx", Refused("0", "line number is out of range"), false},
      {"second the same", two, "1\n1\n", Refused("1", "the file is duplicated"), true},
      // Other keys than 1 and 2 change nothing; key 1 goes on (the hostile
      // inputs' empty file takes that way).
      {"the same lines twice",
       {{"a.txt", "alpha\r\n"}, {"b.txt", "alpha\r\n"}},
       "1\n2\n\n\nx2",
       Lines({"", "----- duplicate files -----", "a.txt", "b.txt", "", "<1> continue", "<2> end"}),
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Workspace workspace;
    Put(workspace, c.inputs);
    Outcome outcome = RunQuillon(workspace, Opening(c.keys));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(EndsWith(outcome.transcript, c.ending)) << outcome.transcript;
    // A first choice taken is in txt_in already.
    EXPECT_EQ(workspace.read("txt_in/a.txt"), c.first_copied ? "alpha\r\n" : "");
  }
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
