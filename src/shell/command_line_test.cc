#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

using Strings = std::vector<std::string>;

Strings Texts(const SimpleCommand& command) {
  Strings texts;
  for (const Word& word : command.words) texts.push_back(word.text);
  return texts;
}

TEST(CommandLineTest, WordsQuotesAndSwitches) {
  CommandLine line =
      ParseCommandLine("  copy /y \"my file.txt\"\ttxt_in\\ \"a b\"x \"\"\"hi\"\"\" \"\"");
  ASSERT_TRUE(line.ok);
  EXPECT_EQ(Texts(line.stages[0]),
            (Strings{"copy", "/y", "my file.txt", "txt_in\\", "a bx", "\"hi\"", ""}));
  EXPECT_TRUE(IsSwitch(line.stages[0].words[1], 'y'));
  EXPECT_TRUE(IsSwitch({"/Y", false}, 'y'));
  EXPECT_FALSE(IsSwitch({"/y", true}, 'y'));
  EXPECT_FALSE(IsSwitch({"/yy", false}, 'y'));
}

TEST(CommandLineTest, RedirectionsNeedNoBlanksAndThePipeSplitsStages) {
  CommandLine line = ParseCommandLine("dir *.>a.txt>>\"b c.txt\"|find /c \".htm\" > d.txt");
  ASSERT_TRUE(line.ok);
  ASSERT_EQ(line.stages.size(), 2u);
  const std::vector<Redirection>& first = line.stages[0].redirections;
  EXPECT_EQ(Texts(line.stages[0]), (Strings{"dir", "*."}));
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].target, "a.txt");
  EXPECT_FALSE(first[0].append);
  EXPECT_EQ(first[1].target, "b c.txt");
  EXPECT_TRUE(first[1].append);
  EXPECT_EQ(Texts(line.stages[1]), (Strings{"find", "/c", ".htm"}));
  EXPECT_EQ(line.stages[1].redirections[0].target, "d.txt");
  EXPECT_FALSE(ParseCommandLine("dir > >> x").ok);
}

TEST(CommandLineTest, QuotedNamesNeverBecomeRedirectionsPipesOrSwitches) {
  for (const std::string name :
       {"a > b.txt", "x|y", ">>c", "/q", "\"quoted\"", "a\"\"b", "& del *.*", "%i"}) {
    CommandLine line = ParseCommandLine("copy " + QuoteArgument(name) + " dest");
    ASSERT_TRUE(line.ok) << name;
    ASSERT_EQ(line.stages.size(), 1u) << name;
    EXPECT_TRUE(line.stages[0].redirections.empty()) << name;
    EXPECT_EQ(Texts(line.stages[0]), (Strings{"copy", name, "dest"})) << name;
    EXPECT_FALSE(IsSwitch(line.stages[0].words[1], 'q'));
  }
}

}  // namespace
}  // namespace quillon
