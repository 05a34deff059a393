#include "app/arguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillon {
namespace {

Arguments Parse(std::vector<std::string> words) {
  words.insert(words.begin(), "quillon");
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  argv.push_back(nullptr);
  return parse_arguments(static_cast<int>(words.size()), argv.data());
}

// The long forms with "=" or a blank are the end-to-end tests'; here: a
// short option's glued value, options after the files, a file named like an
// option after "--", and which action wins.
TEST(ArgumentsTest, ReadsEveryFormIntoTheRunOptions) {
  Arguments arguments = Parse({"-oout", "--", "-a.txt", "b"});
  ASSERT_EQ(arguments.action, Arguments::Action::kRun) << arguments.error;
  EXPECT_EQ(arguments.options.output_folder + arguments.options.first_input +
                arguments.options.second_input,
            "out-a.txtb");
  Arguments after = Parse({"a", "b", "-o", "out"});
  EXPECT_EQ(after.options.output_folder + after.options.first_input + after.options.second_input,
            "outab");
  // Without "--" a leading dash is an option, and the mistake is named.
  EXPECT_EQ(Parse({"-oout", "-a.txt", "b"}).error, "invalid option '-a'");
  Arguments dialogue = Parse({"--part-size", "0", "-q", "--jobs=2"});
  ASSERT_EQ(dialogue.action, Arguments::Action::kRun) << dialogue.error;
  EXPECT_FALSE(dialogue.options.one_command());
  EXPECT_EQ(dialogue.options.part_size, 0);
  EXPECT_TRUE(dialogue.options.quiet);
  EXPECT_EQ(dialogue.options.jobs, 2);
  EXPECT_EQ(Parse({"--version", "--bogus"}).action, Arguments::Action::kVersion);
  EXPECT_EQ(Parse({"a", "b", "-h"}).action, Arguments::Action::kHelp);
  EXPECT_EQ(Parse({"--width"}).error, "option '--width' needs a value");
}

// The width as the dialogue reads its answer: rounded to a whole number,
// which must be above 0; nothing it would read otherwise.
TEST(ArgumentsTest, WidthAndSiteTakeOnlyWhatThePagesCanHold) {
  for (const char* width : {"80", "1", "0.6", "62.5", "999999999"}) {
    EXPECT_TRUE(valid_width(width)) << width;
  }
  for (const char* width :
       {"", "0", "0.5", "-5", "+5", "80%", "1e2", ".5", "5.", "1000000000", "80 ", "&H50"}) {
    EXPECT_FALSE(valid_width(width)) << width;
  }
  for (const char* site : {"", "www.example.org", "example.org/a_b-c/~d", "host:8080"}) {
    EXPECT_TRUE(valid_site(site)) << site;
  }
  for (const char* site : {"<b>", "a\"b", "a b", "a,b", "a&b", "caf\xc3\xa9.org", "a'b"}) {
    EXPECT_FALSE(valid_site(site)) << site;
  }
}

}  // namespace
}  // namespace quillon
