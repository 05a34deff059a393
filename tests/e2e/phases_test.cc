// The work phases as the user meets them: names cleaned and other kinds of
// files moved out of compare_in, clashes that must ask first, the ways the
// choice of files can stop the run, the comparison and changes pages, and
// the index pages written on one thread and on two.

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

// Names that would share a clean name: the run is refused before it touches
// anything, naming them.
TEST(IntakeTest, NamesThatCleanToOneNameAreRefused) {
  const FileMap inputs = {{"a b.txt", "space name\r\n"}, {"a-b.txt", "dash name\r\n"}};
  Workspace workspace;
  Put(workspace, inputs);
  Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.transcript,
            Lines({kSeparator, "These files of compare_in would all be named a_b.txt:",
                   "compare_in\\a b.txt", "compare_in\\a-b.txt", "",
                   "Nothing was changed. Give each of them a name of its own, then start quillon",
                   "again."}));
  EXPECT_EQ(workspace.Files(), FileMap({{"compare_in/a b.txt", "space name\r\n"},
                                        {"compare_in/a-b.txt", "dash name\r\n"}}));
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

// One inserted line: the lines after it still share their rows, and a
// changed word is marked on both sides of its row.
TEST(ComparisonTest, ChangesPageAlignsTheFilesRowByRow) {
  Workspace workspace;
  Put(workspace, {{"draft.txt", "first\r\nsecond\r\nthe quick fox\r\n"},
                  {"final.txt", "first\r\ninserted\r\nsecond\r\nthe slow fox\r\n"}});
  EXPECT_EQ(RunQuillon(workspace, Opening(kCompareFirstTwo)).status, 0);
  EXPECT_NE(workspace.read("htm_out/changes.htm")
                .find("<tr class=\"c\"><td class=\"n\">3</td><td>the <del>quick</del> fox</td>"
                      "<td class=\"m\">|</td><td class=\"n\">4</td>"
                      "<td>the <ins>slow</ins> fox</td></tr>"),
            std::string::npos);
}

// The groups of a comparison in parts are written on several threads: one
// thread or two leave the same files byte for byte, the clock lines aside.
TEST(IndexTest, OneThreadOrTwoLeaveTheSameFiles) {
  std::string left, right;
  for (int line = 0; line < 60; ++line) {
    left += "Line " + std::to_string(line) + " of the left file, word" + std::to_string(line % 7);
    // Now and then a line long enough for a search query drawn at random.
    for (int i = 0; line % 9 == 0 && i < 40; ++i) left += " w" + std::to_string(i);
    left += "\r\n";
    right += "the right file says " + std::to_string(line * 3) + " things\r\n";
  }
  std::map<std::string, std::string> runs[2];
  std::string transcripts[2];
  for (int jobs : {1, 2}) {
    Workspace workspace;
    Put(workspace, {{"left.txt", left}, {"right.txt", right}});
    Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo),
                                 {"--part-size=600", "--jobs=" + std::to_string(jobs)});
    EXPECT_EQ(outcome.status, 0) << outcome.transcript;
    transcripts[jobs - 1] = outcome.transcript;
    for (const auto& file : workspace.Files()) {
      if (file.first != "out_null.list") runs[jobs - 1][file.first] = WithoutClock(file.second);
    }
  }
  EXPECT_TRUE(runs[0].count("htm_out/s_4.htm"));
  EXPECT_EQ(transcripts[0], transcripts[1]);
  EXPECT_EQ(runs[0], runs[1]);
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
