// The start of every run: start-up commands, the three opening screens and
// the tool probes.

#include <gtest/gtest.h>

#include "phase_dialogue.h"
#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

const char kRule[] = "====================================";

const std::string kScreenOne =
    Lines({"Active code page: 65001", "quillon", "", "", kRule, ""}) +
    "THE PROGRAM ALLOWS SIMULTANEOUS INDEXING OF TWO (2) TXT FILES AND COMPARISON NEXT TO EACH "
    "OTHER IN TWO COLUMNS.\r\n" +
    Lines({"", "We also used the program convertcp.exe", "Info:https://example.org/convertcp",
           "We also used the program wget.exe", "Info:https://www.gnu.org/software/wget/", "",
           "Program name:quillon.exe", "Terms of use:"}) +
    BlankLines(8) +
    Lines({"More info: https://quillon.example.org/", "", kRule, "Do you accept the terms of use?",
           "", "<1> yes, continue", "<2> no, end"});

const std::string kScreenTwo =
    Lines({"", kSeparator,
           "FONT CONSOLAS OR LUCIDA CONSOLE MUST BE SELECTED IN THE PROGRAM EXECUTION WINDOW.",
           "Setting procedure (necessary for correct printing):",
           "- move the mouse to the center of the upper bold edge of the execution window;",
           "- right mouse click;", "- select Properties from the drop-down menu;",
           "- select the Font tab;", "- this tab includes the Consolas or Lucida Console font.", "",
           "In the Layout tab, select the size of the execution window.",
           "Selected settings work when the program is restarted.", kSeparator, "", "<1> continue",
           "<2> end"});

const std::string kScreenThree =
    Lines({"", kSeparator, "THE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY.",
           "During execution, the program creates and also deletes most *.txt and other files.",
           ""}) +
    "The TXT files you want to compare must be written in UTF-8 format and copied to the "
    "COMPARE_IN subfolder.\r\n" +
    Lines({"The TXT file names must not contain spaces or special characters (ASCII only).",
           kSeparator, "", "<1> continue", "<2> end"});

const std::string kProbes =
    Lines({"", kSeparator, "Checking the accessibility of some urgently needed programs:",
           "cmd.exe, find.exe, findstr.exe, sort.exe, wget.exe", "", "cmd", "", "find", "",
           "findstr", "", "sort"});

TEST(OpeningTest, KeyTwoOrTheEndOfScriptedInputEndsTheRunQuietly) {
  const std::pair<std::string, std::string> cases[] = {
      {"2", kScreenOne},
      {"x\n31\xffH12", kScreenOne + kScreenTwo + kScreenThree},  // other keys change nothing
      {"1", kScreenOne + kScreenTwo}};
  for (const auto& keys_and_transcript : cases) {
    Workspace workspace;
    Outcome outcome = RunQuillon(workspace, keys_and_transcript.first);
    EXPECT_EQ(outcome.status, 0) << keys_and_transcript.first;
    EXPECT_EQ(outcome.transcript, keys_and_transcript.second) << keys_and_transcript.first;
    EXPECT_FALSE(workspace.Exists("txt_wrk"));
  }
}

TEST(OpeningTest, ProbesPassInAnEmptyFolder) {
  Workspace workspace;
  Outcome outcome = RunQuillon(workspace, "111");
  EXPECT_EQ(outcome.status, 0);
  std::string expected = kScreenOne + kScreenTwo + kScreenThree + kProbes;
  EXPECT_EQ(outcome.transcript.substr(0, expected.size()), expected);
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
