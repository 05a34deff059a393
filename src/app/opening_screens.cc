#include "app/opening_screens.h"

#include "base/text.h"
#include "run/console_waits.h"
#include "run/product.h"

namespace quillon {

namespace {

const char kEquals[] = "====================================";

void PrintLines(Console& console, std::initializer_list<const char*> lines) {
  for (const char* line : lines) console.print_line(line);
}

void TermsOfUse(Console& console, const std::string& program_path) {
  console.print_line(program_path);
  console.print_line();
  console.print_line();
  console.print_line(kEquals);
  console.print_line();
  console.print_line(
      "THE PROGRAM ALLOWS SIMULTANEOUS INDEXING OF TWO (2) TXT FILES AND COMPARISON NEXT TO EACH "
      "OTHER IN TWO COLUMNS.");
  console.print_line();
  console.print_line("We also used the program convertcp.exe");
  console.print_line(std::string("Info:") + kConvertcpAddress);
  console.print_line("We also used the program wget.exe");
  console.print_line(std::string("Info:") + kWgetAddress);
  console.print_line();
  console.print_line("Program name:" + program_name());
  console.print_line("Terms of use:");
  for (int i = 0; i < 8; ++i) console.print_line();
  console.print_line(std::string("More info: ") + kProductAddress);
  console.print_line();
  console.print_line(kEquals);
  console.print_line("Do you accept the terms of use?");
  console.print_line();
  choice_prompt(console, "<1> yes, continue", "<2> no, end");
}

void FontAdvice(Console& console) {
  console.print_line();
  PrintLines(
      console,
      {kSeparator,
       "FONT CONSOLAS OR LUCIDA CONSOLE MUST BE SELECTED IN THE PROGRAM EXECUTION "
       "WINDOW.",
       "Setting procedure (necessary for correct printing):",
       "- move the mouse to the center of the upper bold edge of the execution window;",
       "- right mouse click;", "- select Properties from the drop-down menu;",
       "- select the Font tab;", "- this tab includes the Consolas or Lucida Console font.", ""});
  PrintLines(console, {"In the Layout tab, select the size of the execution window.",
                       "Selected settings work when the program is restarted.", kSeparator, ""});
  choice_prompt(console, "<1> continue", "<2> end");
}

void InstallationNotice(Console& console) {
  console.print_line();
  PrintLines(
      console,
      {kSeparator, "THE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY.",
       "During execution, the program creates and also deletes most *.txt and other files.", "",
       "The TXT files you want to compare must be written in UTF-8 format and copied to the "
       "COMPARE_IN subfolder.",
       "The TXT file names must not contain spaces or special characters (ASCII only).", kSeparator,
       ""});
  choice_prompt(console, "<1> continue", "<2> end");
}

}  // namespace

std::string program_name() {
  std::string name = to_lower(kModuleName);
  return name.substr(0, name.size() - 3) + "exe";
}

void show_opening_screens(Console& console, const std::string& program_path) {
  TermsOfUse(console, program_path);
  FontAdvice(console);
  InstallationNotice(console);
}

}  // namespace quillon
