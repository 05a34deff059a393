// Name clashes and the .txt twins of HTML inputs, on the fake disk after an
// intake, as the run leaves it.

#include "intake/html_reformat.h"

#include <gtest/gtest.h>

#include "base/end_run.h"
#include "base/test_run.h"

namespace quillon {
namespace {

const char kHeading[] = "\r\n----------------------------\r\nReformatting *.htm files to *.txt\r\n";

std::string ClashReport(const std::string& stem) {
  return "\r\n----------------------------\r\nCompare file names *.htm and *.txt\r\n\r\n" + stem +
         "\r\n\r\nFile has the same name and two extensions, *.htm, *.txt\r\n\r\n"
         "<1> = stop and rename file: " +
         stem + "\r\n<2> = continue and *.txt file will be recreate from *.htm\r\n";
}

// compare_in and the intake's copies in the program's folder.
void AddInput(FakeRun& t, const std::string& name, const std::string& content) {
  t.disk.AddFile("compare_in/" + name, content);
  t.disk.AddFile(name, content);
}

bool Reformat(FakeRun& t) {
  try {
    reformat_html_inputs(t.run);
    return true;
  } catch (const RunEnded&) {
    return false;
  }
}

TEST(ClashStemTest, HtmBeforeTxtAndNoStemWithoutEither) {
  std::string stem;
  ASSERT_TRUE(clash_stem(" a.htm.txt ", &stem));
  EXPECT_EQ(stem, "a");
  ASSERT_TRUE(clash_stem("b.TXT", &stem));
  EXPECT_EQ(stem, "b");
  EXPECT_FALSE(clash_stem("old", &stem));
}

TEST(HtmlReformatTest, BodyLinesWithoutPreMarkers) {
  FakeRun t;
  AddInput(t, "a.htm",
           "<html>\r\n<head><title>x</title></head>\r\n  <BODY>\r\n<Pre>\r\n  line one  \r\n"
           "\tline <b>two</b> &amp;\r\n</pre>\r\n<body>\r\n</Body>\r\nafter\r\n</html>\r\n");
  EXPECT_TRUE(Reformat(t));
  EXPECT_EQ(t.disk.Content("a.txt"), "line one\r\n\tline <b>two</b> &amp;\r\n<body>\r\n");
  EXPECT_EQ(t.disk.Content("compare_in/a.txt"), t.disk.Content("a.txt"));
  EXPECT_EQ(t.transcript(), std::string(kHeading) + "        1 file(s) copied.\r\n");
}

TEST(HtmlReformatTest, BodyMarkersWithAttributesOrTextDoNotCount) {
  FakeRun t;
  AddInput(t, "a.htm", "<body class=\"x\">\r\ntext\r\n</body>\r\n");
  AddInput(t, "b.html", "<body>\r\nrest\r\n</html>\r\n");
  EXPECT_TRUE(Reformat(t));
  EXPECT_EQ(t.disk.Content("compare_in/a.txt"), "");
  EXPECT_EQ(t.disk.Content("compare_in/b.txt"), "rest\r\n</html>\r\n");
}

TEST(HtmlReformatTest, KeyTwoRecreatesTheTxtAndAsksBeforeOverwriting) {
  FakeRun t("x2y\n");
  AddInput(t, "a.htm", "<body>\r\nfrom html\r\n</body>\r\n");
  AddInput(t, "a.html", "<body>\r\nfrom html\r\n</body>\r\n");
  AddInput(t, "a.txt", "old text\r\n");
  t.disk.AddDir("compare_in/sub");
  EXPECT_TRUE(Reformat(t));
  // One report for "a", the list rewritten without it and without the folder.
  EXPECT_EQ(t.transcript(),
            kHeading + ClashReport("a") +
                "Overwrite compare_in\\a.txt? (Yes/No/All): y\r\n        1 file(s) copied.\r\n"
                "Overwrite compare_in\\a.txt? (Yes/No/All): \r\n        0 file(s) copied.\r\n");
  EXPECT_EQ(t.disk.Content("compare_04.txt"), "");
  EXPECT_EQ(t.disk.Content("compare_02.txt"), "");
  EXPECT_EQ(t.disk.Content("compare_in/a.txt"), "from html\r\n");
}

TEST(HtmlReformatTest, OnlyTheClashingStemLeavesTheSecondList) {
  FakeRun t("2");
  AddInput(t, "a.txt", "a");
  AddInput(t, "b.htm", "<body>\r\nb\r\n</body>\r\n");
  AddInput(t, "b.txt", "b");
  AddInput(t, " c.txt", "c");
  t.disk.AddDir("compare_in/sub");
  Reformat(t);
  EXPECT_EQ(t.disk.Content("compare_04.txt"), "c.txt\r\na.txt\r\n");
}

}  // namespace
}  // namespace quillon
