#include "base/command_line.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

std::vector<std::string> Texts(const SimpleCommand& command) {
  std::vector<std::string> texts;
  for (const Word& word : command.words) texts.push_back(word.text);
  return texts;
}

using Strings = std::vector<std::string>;

TEST(CommandLineTest, SplitsWordsAtBlanksAndKeepsQuotedBlanks) {
  CommandLine line = ParseCommandLine("  copy /y \"my file.txt\"\ttxt_in\\  ");
  ASSERT_TRUE(line.ok);
  ASSERT_EQ(line.stages.size(), 1u);
  EXPECT_EQ(Texts(line.stages[0]), (Strings{"copy", "/y", "my file.txt", "txt_in\\"}));
  EXPECT_FALSE(line.stages[0].words[1].quoted);
  EXPECT_TRUE(line.stages[0].words[2].quoted);
  EXPECT_TRUE(IsSwitch(line.stages[0].words[1], 'y'));
  EXPECT_TRUE(IsSwitch({"/Y", false}, 'y'));
  EXPECT_FALSE(IsSwitch({"/y", true}, 'y'));
  EXPECT_FALSE(IsSwitch({"/yy", false}, 'y'));
}

TEST(CommandLineTest, QuotedPartsJoinTheirWordAndDoubledQuotesStandForOne) {
  CommandLine line = ParseCommandLine("rename \"txt_wrk\\a b\"x \"say \"\"hi\"\"\" \"\"");
  EXPECT_EQ(Texts(line.stages[0]), (Strings{"rename", "txt_wrk\\a bx", "say \"hi\"", ""}));
  EXPECT_TRUE(line.stages[0].words[2].quoted);
}

TEST(CommandLineTest, RedirectionsNeedNoBlanksAndKeepTheirOrder) {
  CommandLine line = ParseCommandLine("dir /b *.>a.txt>>\"b c.txt\" > d.txt");
  ASSERT_TRUE(line.ok);
  const SimpleCommand& command = line.stages[0];
  EXPECT_EQ(Texts(command), (Strings{"dir", "/b", "*."}));
  ASSERT_EQ(command.redirections.size(), 3u);
  EXPECT_EQ(command.redirections[0].target, "a.txt");
  EXPECT_FALSE(command.redirections[0].append);
  EXPECT_EQ(command.redirections[1].target, "b c.txt");
  EXPECT_TRUE(command.redirections[1].append);
  EXPECT_EQ(command.redirections[2].target, "d.txt");
  EXPECT_FALSE(ParseCommandLine("dir >").ok);
  EXPECT_FALSE(ParseCommandLine("dir > >> x").ok);
}

TEST(CommandLineTest, SplitsThePipeIntoTwoStages) {
  CommandLine line = ParseCommandLine("dir *.htm|find /c \".htm\" > count.txt");
  ASSERT_EQ(line.stages.size(), 2u);
  EXPECT_EQ(Texts(line.stages[0]), (Strings{"dir", "*.htm"}));
  EXPECT_TRUE(line.stages[0].redirections.empty());
  EXPECT_EQ(Texts(line.stages[1]), (Strings{"find", "/c", ".htm"}));
  EXPECT_EQ(line.stages[1].redirections[0].target, "count.txt");
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
  EXPECT_EQ(QuoteArgument("a\"b"), "\"a\"\"b\"");
}

}  // namespace
}  // namespace quillon
