// Name clashes and the .txt twins of HTML inputs, on the fake disk after an
// intake; the question at a clash, the overwrite of an older twin and the
// forms of the body tag are the end-to-end tests'.

#include "intake/html_reformat.h"

#include <gtest/gtest.h>

#include "support/test_run.h"

namespace quillon {
namespace {

// compare_in and the intake's copies in the program's folder.
void AddInput(FakeRun& t, const std::string& name, const std::string& content) {
  t.disk.AddFile("compare_in/" + name, content);
  t.disk.AddFile(name, content);
}

// The text runs from the first line that opens the body to the first that
// closes it, pre markers left out and a later body line kept; a .html input
// has its twin too.
TEST(HtmlReformatTest, BodyLinesWithoutPreMarkers) {
  FakeRun t;
  AddInput(t, "a.htm",
           "<html>\r\n<head><title>x</title></head>\r\n  <BODY>\r\n<Pre>\r\n  line one  \r\n"
           "\tline <b>two</b> &amp;\r\n</pre>\r\n<body>\r\n</Body>\r\nafter\r\n</html>\r\n");
  AddInput(t, "c.html", "<body>\r\nrest\r\n</html>\r\n");
  EXPECT_EQ(reformat_html_inputs(t.run), (std::set<std::string>{"a.txt", "c.txt"}));
  EXPECT_EQ(t.disk.Content("a.txt"), "line one\r\n\tline <b>two</b> &amp;\r\n<body>\r\n");
  EXPECT_EQ(t.disk.Content("compare_in/a.txt"), t.disk.Content("a.txt"));
  EXPECT_EQ(t.disk.Content("compare_in/c.txt"), "rest\r\n</html>\r\n");
}

TEST(HtmlReformatTest, OnlyTheClashingStemLeavesTheSecondList) {
  FakeRun t("2");
  AddInput(t, "a.txt", "a");
  AddInput(t, "b.htm", "<body>\r\nb\r\n</body>\r\n");
  AddInput(t, "b.txt", "b");
  AddInput(t, " c.txt", "c");
  t.disk.AddDir("compare_in/sub");
  Completes([&] { reformat_html_inputs(t.run); });
  EXPECT_EQ(t.disk.Content("compare_04.txt"), "c.txt\r\na.txt\r\n");
}

}  // namespace
}  // namespace quillon
