// Inputs as people have them: a text with markup in it shows as text on
// every page, and an HTML input keeps its markup whatever its body tag
// carries.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

using namespace std::string_literals;

bool Printed(const Outcome& outcome, const std::string& text) {
  return outcome.transcript.find(text) != std::string::npos;
}

// What a text's markup would have become, had it reached a page as markup.
const char* const kHostileMarkup[] = {"<script>alert", "<img",    "<svg",
                                      "<stdio",        "<https:", "<one line"};

TEST(InputsTest, TextShowsAsTextAndAnHtmlInputKeepsItsMarkup) {
  Workspace workspace;
  workspace.write("compare_in/hostile.txt",
                  "<script>alert(1)</script>\r\n"
                  "  <img src=x onerror=alert(2)>  \r\n"
                  "<svg/onload=alert(3)>\r\n"
                  "&nbsp; &amp; < alone\r\n"
                  "#include <stdio.h>\r\n"
                  "<https://www.gnu.org/licenses/>\r\n"
                  "<one line to give the program's name and a brief idea of what it does.>\r\n");
  workspace.write("compare_in/saved page.htm",
                  "<html>\r\n<head><title>Saved</title></head>\r\n"
                  "<body lang=\"en\" class=\"page\">\r\n<p>A <b>bold</b> word &amp; more</p>\r\n"
                  "</body>\r\n</html>\r\n");
  Outcome outcome = RunQuillon(workspace, Opening(kCompareFirstTwo));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait));
  EXPECT_FALSE(Printed(outcome, "Warning: "));
  EXPECT_EQ(
      workspace.read("htm_out/compare.htm"),
      ComparePage("100%",
                  {"&lt;script&gt;alert(1)&lt;/script&gt;", "&lt;img src=x onerror=alert(2)&gt;",
                   "&lt;svg/onload=alert(3)&gt;", "&amp;nbsp; &amp;amp; &lt; alone",
                   "#include &lt;stdio.h&gt;", "&lt;https://www.gnu.org/licenses/&gt;",
                   "&lt;one line to give the program's name and a brief idea of what it "
                   "does.&gt;"},
                  {"<p>A <b>bold</b> word &amp; more</p>"}));
  FileMap pages = workspace.Files("htm_out");
  EXPECT_EQ(pages.size(), 6u);
  for (const auto& page : pages) {
    for (const char* markup : kHostileMarkup) {
      EXPECT_EQ(page.second.find(markup), std::string::npos) << page.first << ": " << markup;
    }
  }
  EXPECT_TRUE(Printed(outcome, "1. file for compare: hostile.txt"));
  EXPECT_NE(pages["index.htm"].find("<br>\r\n&lt;stdio.h&gt;\r\n"), std::string::npos);
}

// Only the twin this run made of an HTML input is markup: not a text beside
// a folder named like an HTML file, not an upper-case a.TXT beside the a.htm
// whose twin is a.txt, not an a.txt kept at the overwrite question.
TEST(InputsTest, OnlyTheTwinOfAnHtmlInputIsMarkup) {
  const char kHtml[] = "<body>\r\n<i>from html</i>\r\n</body>\r\n";
  const struct {
    const char* what;
    FileMap inputs;
    std::string keys;
    std::vector<std::string> left, right;
  } cases[] = {
      {"a folder x.htm, a.TXT beside a.htm",
       {{"a.htm", kHtml}, {"a.TXT", "<b>upper</b>\r\n"}, {"x.txt", "<b>x</b>\r\n"}},
       "2"
       "1\n3\n\n\nx",
       {"&lt;b&gt;upper&lt;/b&gt;"},
       {"&lt;b&gt;x&lt;/b&gt;"}},
      {"a.txt kept at the overwrite question",
       {{"a.htm", kHtml}, {"a.txt", "<b>mine</b>\r\n"}, {"b.txt", "<u>b</u>\r\n"}},
       "2n\n1\n2\n\n\nx",
       {"&lt;b&gt;mine&lt;/b&gt;"},
       {"&lt;u&gt;b&lt;/u&gt;"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Workspace workspace;
    for (const auto& input : c.inputs) workspace.write("compare_in/" + input.first, input.second);
    std::filesystem::create_directories(workspace.root() + "/compare_in/x.htm");
    Outcome outcome = RunQuillon(workspace, Opening(c.keys));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait)) << outcome.transcript;
    EXPECT_EQ(workspace.read("htm_out/compare.htm"), ComparePage("100%", c.left, c.right));
    EXPECT_EQ(workspace.read("compare_in/a.txt"),
              c.inputs.count("a.txt") ? c.inputs.at("a.txt") : "<i>from html</i>\r\n");
  }
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
