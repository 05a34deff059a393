// Inputs as people have them: a text with markup in it shows as text on
// every page, an HTML input keeps its markup whatever its body tag carries,
// and the run says what it left out, what came out empty and what is not
// UTF-8, each on a line of its own beside the dialogue.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

using namespace std::string_literals;

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
  EXPECT_EQ(pages.size(), 7u);
  for (const auto& page : pages) {
    for (const char* markup : kHostileMarkup) {
      EXPECT_EQ(page.second.find(markup), std::string::npos) << page.first << ": " << markup;
    }
  }
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
    std::string keys;  // Key 2 at the clash, any overwrite answer, then the choices.
    std::vector<std::string> left, right;
  } cases[] = {
      {"a folder x.htm, a.TXT beside a.htm",
       {{"a.htm", kHtml}, {"a.TXT", "<b>upper</b>\r\n"}, {"x.txt", "<b>x</b>\r\n"}},
       "21\n3\n\n\nx",
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
    Put(workspace, c.inputs);
    std::filesystem::create_directories(workspace.root() + "/compare_in/x.htm");
    Outcome outcome = RunQuillon(workspace, Opening(c.keys));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait)) << outcome.transcript;
    EXPECT_EQ(workspace.read("htm_out/compare.htm"), ComparePage("100%", c.left, c.right));
    EXPECT_EQ(workspace.read("compare_in/a.txt"),
              c.inputs.count("a.txt") ? c.inputs.at("a.txt") : "<i>from html</i>\r\n");
  }
}

// The body tag with attributes, after a tab, in capitals, opens the body; not
// with text or a second tag on its line. Every warning stands where its cause
// is found, and the dialogue's lines around it stay as they are.
TEST(InputsTest, BodyTagsAndWarningsOfWhatIsLeftOutEmptyOrNotUtf8) {
  Workspace workspace;
  const FileMap html = {
      {"attributes.htm", "<body lang=\"en\" class=\"page\">\r\nattributes\r\n</body>\r\n"},
      {"capitals.htm", "  <BODY BGCOLOR=\"white\">  \r\ncapitals\r\n</BODY>\r\n"},
      {"oneline.htm", "<html><body>one line</body></html>\r\n"},
      {"tab.htm", "<body\tclass=\"x\">\r\ntab\r\n</body>\r\n"},
      {"twotags.htm", "<body class=\"x\"><p>\r\ntwo tags\r\n</body>\r\n"}};
  Put(workspace, html);
  workspace.write("compare_in/latin1.txt", "plain line\r\ncaf\xe9 cr\xe8me\r\n");
  workspace.write("compare_in/notes.docx", "a document");
  workspace.write("compare_in/compare_in.list", "a list named like the run's own");
  workspace.write("compare_in/utf16.txt", "u\0t\0f\0\r\0\n\0"s);
  // The list: attributes, capitals, latin1, oneline, tab, twotags, utf16.
  Outcome outcome = RunQuillon(workspace, Opening("3\n7\n\n\nx"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait));
  FileMap inputs = workspace.Files("compare_in");
  EXPECT_EQ(inputs["attributes.txt"], "attributes\r\n");
  EXPECT_EQ(inputs["capitals.txt"], "capitals\r\n");
  EXPECT_EQ(inputs["tab.txt"], "tab\r\n");
  EXPECT_EQ(inputs["oneline.txt"], "");
  EXPECT_EQ(inputs["twotags.txt"], "");
  EXPECT_EQ(inputs.count("notes.docx"), 0u);
  EXPECT_EQ(workspace.read("notes.docx"), "a document");
  EXPECT_EQ(inputs["compare_in.list"], "a list named like the run's own");
  const std::string copied = "        1 file(s) copied.\r\n";
  EXPECT_TRUE(Printed(
      outcome,
      "sort\r\n\r\n"
      "Warning: compare_in.list is not a .txt or .htm file: it is left out and stays in "
      "compare_in.\r\n"
      "Warning: notes.docx is not a .txt or .htm file: it is left out and now lies beside "
      "compare_in.\r\n\r\n" +
          Lines({kSeparator, "Reformatting *.htm files to *.txt"}) + copied + copied + copied +
          copied + copied +
          "Warning: oneline.htm has no line that opens its body, so its text oneline.txt is "
          "empty.\r\n"
          "Warning: twotags.htm has no line that opens its body, so its text twotags.txt is "
          "empty.\r\n"
          "The system cannot find the path specified.\r\n"))
      << outcome.transcript;
  EXPECT_TRUE(
      Printed(outcome, "2. file for compare: utf16.txt\r\n" + copied +
                           "Warning: latin1.txt is not UTF-8 text (line 2 is the first that is "
                           "not); it is compared as its bytes are, unconverted.\r\n"
                           "Warning: utf16.txt is not UTF-8 text (line 1 holds a NUL byte); it "
                           "is compared as its bytes are, unconverted.\r\n\r\n" +
                           kSeparator + "\r\nDetermining the size"))
      << outcome.transcript;
  EXPECT_EQ(workspace.read("htm_out/compare.htm"),
            ComparePage("100%", {"plain line", "caf\xe9 cr\xe8me"}, {"u\0t\0f\0\r\0"s, "\0"s}));
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
