// Name clashes and the .txt twins of HTML inputs, on the fake disk after an
// intake, as the run leaves it.

#include "intake/html_reformat.h"

#include <gtest/gtest.h>

#include "base/end_run.h"
#include "support/test_run.h"

namespace quillon {
namespace {

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

// Only a bare body marker counts, in any letter case; pre markers go.
TEST(HtmlReformatTest, BodyLinesWithoutPreMarkers) {
  FakeRun t;
  AddInput(t, "a.htm",
           "<html>\r\n<head><title>x</title></head>\r\n  <BODY>\r\n<Pre>\r\n  line one  \r\n"
           "\tline <b>two</b> &amp;\r\n</pre>\r\n<body>\r\n</Body>\r\nafter\r\n</html>\r\n");
  AddInput(t, "b.htm", "<body class=\"x\">\r\ntext\r\n</body>\r\n");
  AddInput(t, "c.html", "<body>\r\nrest\r\n</html>\r\n");
  EXPECT_TRUE(Reformat(t));
  EXPECT_EQ(t.disk.Content("a.txt"), "line one\r\n\tline <b>two</b> &amp;\r\n<body>\r\n");
  EXPECT_EQ(t.disk.Content("compare_in/a.txt"), t.disk.Content("a.txt"));
  EXPECT_EQ(t.disk.Content("compare_in/b.txt"), "");
  EXPECT_EQ(t.disk.Content("compare_in/c.txt"), "rest\r\n</html>\r\n");
}

TEST(HtmlReformatTest, KeyTwoRecreatesTheTxtAndAsksBeforeOverwriting) {
  FakeRun t("x2y\n");
  AddInput(t, "a.htm", "<body>\r\nfrom html\r\n</body>\r\n");
  AddInput(t, "a.html", "<body>\r\nfrom html\r\n</body>\r\n");
  AddInput(t, "a.txt", "old text\r\n");
  t.disk.AddDir("compare_in/sub");
  EXPECT_TRUE(Reformat(t));
  // One report for "a", the list rewritten without it and without the folder.
  const std::string transcript = t.transcript();
  const std::string report = "File has the same name and two extensions";
  EXPECT_EQ(transcript.find(report), transcript.rfind(report));
  // "y" to the first overwrite, an empty answer to the second.
  EXPECT_NE(transcript.find("(Yes/No/All): \r\n        0 file(s) copied.\r\n"), std::string::npos);
  EXPECT_EQ(t.disk.Content("compare_04.txt"), "");
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
