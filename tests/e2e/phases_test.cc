// The work phases up to the comparison page as the user meets them: names
// cleaned and other kinds of files moved out of compare_in, .txt twins of
// .htm files and clashes that must ask first; every way the choice of files
// can stop the run; the comparison page worked out line by line, and the
// question the run asks when the two chosen files are the same; the index
// pages written on one thread and on two.

#include <gtest/gtest.h>

#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

const char kReport[] =
    "<html>\r\n<head><title>Report</title></head>\r\n<body>\r\n<pre>\r\n  Report line  \r\n"
    "</pre>\r\n</body>\r\n</html>\r\n";

TEST(IntakeTest, NamesAreCleanedAndOtherKindsLeave) {
  Workspace workspace;
  // \304\214 is a C with a caron in UTF-8.
  const FileMap given = {{"My File.txt", "blanks\r\n"}, {"\304\214aj.txt", "accent\r\n"},
                         {"notes.TXT", "upper\r\n"},    {"report.html", kReport},
                         {"data.csv", "1,2\r\n"},       {"photo.jpg", "\xff\xd8"},
                         {"notes.list", "mine\r\n"}};
  Put(workspace, given);
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
  // The run's own lists are deleted at the end, a user's list is not.
  EXPECT_EQ(workspace.read("notes.list"), "mine\r\n");
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
    Put(workspace, inputs);
    Outcome outcome = RunQuillon(workspace, Opening("1"));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(EndsWith(outcome.transcript, question));
    EXPECT_EQ(workspace.Files("compare_in"), inputs);
  }
  Workspace workspace;
  Put(workspace, inputs);
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

// Names that would share a clean name: the run is refused before it touches
// anything, naming them; the same bytes twice is what an interrupted intake
// leaves, and heals into one file.
TEST(IntakeTest, NamesThatCleanToOneNameAreRefusedUnlessTheyHoldTheSameBytes) {
  const FileMap pairs[] = {{{"a b.txt", "space name\r\n"}, {"a_b.txt", "underscore name\r\n"}},
                           {{"a b.txt", "space name\r\n"}, {"a-b.txt", "dash name\r\n"}}};
  for (const FileMap& inputs : pairs) {
    Workspace workspace;
    Put(workspace, inputs);
    Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
    EXPECT_EQ(outcome.status, 2);
    std::string names;
    for (const auto& file : inputs) names += "compare_in\\" + file.first + "\r\n";
    EXPECT_EQ(outcome.transcript,
              Lines({kSeparator, "These files of compare_in would all be named a_b.txt:"}) + names +
                  Lines({"",
                         "Nothing was changed. Give each of them a name of its own, then "
                         "start quillon",
                         "again."}));
    EXPECT_EQ(workspace.Files("compare_in"), inputs);
    EXPECT_EQ(workspace.Files().size(), inputs.size());
  }
  Workspace workspace;
  Put(workspace, {{"a b.txt", "same\r\n"}, {"a_b.txt", "same\r\n"}, {"z.txt", "other\r\n"}});
  Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.transcript.find("Overwrite"), std::string::npos);
  EXPECT_EQ(workspace.Files("compare_in"),
            (FileMap{{"a_b.txt", "same\r\n"}, {"z.txt", "other\r\n"}}));
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
      {"an upper-case extension is not counted",
       {{"A.TXT", "a"}, {"b.txt", "b"}},
       "1",
       Lines({"", kSeparator, "The compare_in subfolder must contain at least 2 files.", "",
              "<1> = continue and end"}),
       false},
      {"first 0", two, "0\nx", Refused("0", "line number is out of range"), false},
      {"first 3", two, "3\nx", Refused("3", "line number is out of range"), false},
      {"first not a number", two, "two\nx", Refused("two", "line number is out of range"), false},
      {"second 3", two, "1\n3\n", Refused("3", "line number is out of range"), true},
      {"second the same", two, "1\n1\n", Refused("1", "the file is duplicated"), true},
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

TEST(ComparisonTest, PageOfTwoFilesLineByLine) {
  Workspace workspace;
  workspace.write("compare_in/left.txt", "one\r\n  a < b & c  \r\n\r\n");
  workspace.write("compare_in/Right File.txt",
                  "\xef\xbb\xbf"
                  "<b>bold</b>\n\ttab\t\nthree\nfour\nfive");
  // The right file is chosen first, yet the page follows the listing; the
  // width goes in as entered, even when it makes no sense; the destination
  // is the answer's first field.
  Outcome outcome = RunQuillon(workspace, Opening("2\n1\n-5\nshop.example, other\n"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(Printed(outcome, "1. file for compare: Right_File.txt"));
  std::string page =
      ComparePage("-5%", {"one", "a &lt; b &amp; c", ""},
                  {"\xef\xbb\xbf&lt;b&gt;bold&lt;/b&gt;", "\ttab\t", "three", "four", "five"});
  EXPECT_EQ(workspace.read("htm_wrk/compare.htm"), page);
  EXPECT_EQ(workspace.read("txt_wrk/left.txt"), "one\r\n  a < b & c  \r\n\r\n");
  EXPECT_NE(workspace.read("htm_out/s_1.htm").find(" site:shop.example\"> shop.example</a>"),
            std::string::npos);
}

// One inserted line: the lines after it still share their rows; a changed
// word is marked on both sides of its row; markup is text. The page is
// delivered beside the indexed pages, never indexed, and the results say
// where it is.
TEST(ComparisonTest, ChangesPageAlignsTheFilesRowByRow) {
  Workspace workspace;
  workspace.write("compare_in/draft.txt", "first\r\n<b>second</b> & more\r\nthe quick fox\r\n");
  workspace.write("compare_in/final.txt",
                  "first\r\ninserted\r\n<b>second</b> & more\r\nthe slow fox\r\n");
  Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(EndsWith(outcome.transcript,
                       "\r\nChanges: htm_out/changes.htm\r\n" + std::string(kLastWait)));
  const std::string page = workspace.read("htm_out/changes.htm");
  auto has = [&page](const std::string& text) { return page.find(text) != std::string::npos; };
  EXPECT_TRUE(has("<h1>Changes from draft.txt to final.txt</h1>"));
  EXPECT_TRUE(
      has("<tr><td class=\"n\">2</td><td>&lt;b&gt;second&lt;/b&gt; &amp; more</td>"
          "<td class=\"m\"></td><td class=\"n\">3</td>"
          "<td>&lt;b&gt;second&lt;/b&gt; &amp; more</td></tr>"));
  EXPECT_TRUE(
      has("<tr class=\"c\"><td class=\"n\">3</td><td>the <del>quick</del> fox</td>"
          "<td class=\"m\">|</td><td class=\"n\">4</td>"
          "<td>the <ins>slow</ins> fox</td></tr>"));
  EXPECT_FALSE(has("<b>second"));
  EXPECT_FALSE(workspace.Exists("txt_wrk/changes.htm"));
  EXPECT_FALSE(workspace.Exists("htm_out/page_02.htm"));
  EXPECT_EQ(workspace.read("htm_out/index.htm").find("imilarity"), std::string::npos);
}

// Key 1 goes on (the hostile inputs' empty file takes that way); other keys
// change nothing, and key 2 ends the run before the page.
TEST(ComparisonTest, DuplicateFilesAskAndKeyTwoEnds) {
  Workspace workspace;
  Put(workspace, {{"a.txt", "same\r\n"}, {"b.txt", "same\r\n"}});
  Outcome outcome = RunQuillon(workspace, Opening("1\n2\n\n\nx2"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(EndsWith(outcome.transcript, Lines({"", "----- duplicate files -----", "a.txt",
                                                  "b.txt", "", "<1> continue", "<2> end"})));
  EXPECT_FALSE(workspace.Exists("htm_wrk/compare.htm"));
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
