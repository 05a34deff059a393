// Inputs as people have them: a text with markup in it shows as text on
// every page, an HTML input keeps its markup whatever its body tag carries,
// and the run says what it left out, what came out empty and what is not
// UTF-8, each on a line of its own beside the dialogue.

#include <gtest/gtest.h>

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

// Only the twin this run made of an HTML input is markup, not an a.txt kept
// at the overwrite question; a body tag with text on its line opens nothing.
// Every warning stands where its cause is found, and the dialogue's lines
// around it stay as they are.
TEST(InputsTest, KeptTextsAndWarningsOfWhatIsLeftOutEmptyOrNotUtf8) {
  Workspace workspace;
  Put(workspace, {{"a.htm", "<body>\r\n<i>from html</i>\r\n</body>\r\n"},
                  {"a.txt", "<b>mine</b>\r\n"},
                  {"latin1.txt", "plain line\r\ncaf\xe9 cr\xe8me\r\n"},
                  {"oneline.htm", "<html><body>one line</body></html>\r\n"},
                  {"notes.docx", "a document"}});
  // Key 2 at the clash, "n" at the overwrite; the list: a, latin1, oneline.
  Outcome outcome = RunQuillon(workspace, Opening("2n\n1\n2\n\n\nx"));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(EndsWith(outcome.transcript, kLastWait));
  FileMap inputs = workspace.Files("compare_in");
  EXPECT_EQ(inputs["a.txt"], "<b>mine</b>\r\n");
  EXPECT_EQ(inputs["oneline.txt"], "");
  EXPECT_EQ(inputs.count("notes.docx"), 0u);
  EXPECT_EQ(workspace.read("notes.docx"), "a document");
  const std::string copied = "        1 file(s) copied.\r\n";
  EXPECT_TRUE(Printed(outcome,
                      "sort\r\n\r\n"
                      "Warning: notes.docx is not a .txt or .htm file: it is left out and now "
                      "lies beside compare_in.\r\n\r\n" +
                          Lines({kSeparator, "Reformatting *.htm files to *.txt"})))
      << outcome.transcript;
  EXPECT_TRUE(Printed(
      outcome, "Overwrite compare_in\\a.txt? (Yes/No/All): n\r\n        0 file(s) copied.\r\n" +
                   copied +
                   "Warning: oneline.htm has no line that opens its body, so its text "
                   "oneline.txt is empty.\r\n"));
  EXPECT_TRUE(Printed(outcome, "2. file for compare: latin1.txt\r\n" + copied +
                                   "Warning: latin1.txt is not UTF-8 text (line 2 is the first "
                                   "that is not); it is compared as its bytes are, "
                                   "unconverted.\r\n\r\n" +
                                   kSeparator + "\r\nDetermining the size"))
      << outcome.transcript;
  EXPECT_EQ(workspace.read("htm_out/compare.htm"),
            ComparePage("100%", {"&lt;b&gt;mine&lt;/b&gt;"}, {"plain line", "caf\xe9 cr\xe8me"}));
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
