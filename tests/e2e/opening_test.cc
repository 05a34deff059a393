// The start of every run: start-up commands, the three opening screens and
// the tool probes.

#include <gtest/gtest.h>

#include "workspace.h"

namespace quillon {
namespace e2e {
namespace {

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

const std::string kScreenOne = Lines({
    "Active code page: 65001", "quillon", "", "", "====================================", "",
    "THE PROGRAM ALLOWS SIMULTANEOUS INDEXING OF TWO (2) TXT FILES AND COMPARISON NEXT TO EACH "
    "OTHER IN TWO COLUMNS.",
    "", "We also used the program convertcp.exe", "Info:https://example.org/convertcp",
    "We also used the program wget.exe", "Info:https://www.gnu.org/software/wget/", "",
    "Program name:quillon.exe", "Terms of use:", "", "", "", "", "", "", "", "",
    "More info: https://quillon.example.org/", "", "====================================",
    "Do you accept the terms of use?", "", "<1> yes, continue", "<2> no, end"});

const std::string kScreenTwo = Lines({
    "", "----------------------------",
    "FONT CONSOLAS OR LUCIDA CONSOLE MUST BE SELECTED IN THE PROGRAM EXECUTION WINDOW.",
    "Setting procedure (necessary for correct printing):",
    "- move the mouse to the center of the upper bold edge of the execution window;",
    "- right mouse click;", "- select Properties from the drop-down menu;",
    "- select the Font tab;", "- this tab includes the Consolas or Lucida Console font.", "",
    "In the Layout tab, select the size of the execution window.",
    "Selected settings work when the program is restarted.", "----------------------------", "",
    "<1> continue", "<2> end"});

const std::string kScreenThree = Lines({
    "", "----------------------------", "THE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY.",
    "During execution, the program creates and also deletes most *.txt and other files.", "",
    "The TXT files you want to compare must be written in UTF-8 format and copied to the "
    "COMPARE_IN subfolder.",
    "The TXT file names must not contain spaces or special characters (ASCII only).",
    "----------------------------", "", "<1> continue", "<2> end"});

const std::string kProbes = Lines({
    "", "----------------------------", "Checking the accessibility of some urgently needed programs:",
    "cmd.exe, find.exe, findstr.exe, sort.exe, wget.exe", "", "cmd", "", "find", "", "findstr", "",
    "sort"});

TEST(OpeningTest, KeyTwoOnTheFirstScreenEndsAtOnce) {
  Workspace workspace;
  Outcome outcome = RunQuillon(workspace, "2");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.transcript, kScreenOne);
  EXPECT_FALSE(workspace.Exists("txt_wrk"));
}

TEST(OpeningTest, OtherKeysChangeNothingAndKeyTwoEndsLaterScreens) {
  Workspace workspace;
  Outcome outcome = RunQuillon(workspace, "x\n31\xff" "H12");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.transcript, kScreenOne + kScreenTwo + kScreenThree);
}

TEST(OpeningTest, EndOfScriptedInputEndsTheRunQuietly) {
  Workspace workspace;
  Outcome outcome = RunQuillon(workspace, "1");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.transcript, kScreenOne + kScreenTwo);
}

TEST(OpeningTest, ProbesPassInAnEmptyFolder) {
  Workspace workspace;
  Outcome outcome = RunQuillon(workspace, "111");
  EXPECT_EQ(outcome.status, 0);
  ASSERT_GE(outcome.transcript.size(), kScreenOne.size());
  EXPECT_EQ(outcome.transcript.substr(0, kScreenOne.size() + kScreenTwo.size() +
                                             kScreenThree.size() + kProbes.size()),
            kScreenOne + kScreenTwo + kScreenThree + kProbes);
}

}  // namespace
}  // namespace e2e
}  // namespace quillon
