// Every way the choice of files can stop the run, and what it leaves.

#include <gtest/gtest.h>

#include "phase_dialogue.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

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
      {"no compare_in",
       {},
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
    for (const auto& input : c.inputs) workspace.write("compare_in/" + input.first, input.second);
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
