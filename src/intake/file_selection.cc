#include "intake/file_selection.h"

#include "base/field_reader.h"
#include "base/line_io.h"
#include "base/paths.h"
#include "run/console_waits.h"
#include "run/work_files.h"
#include "run/work_folders.h"
#include "shell/command_line.h"

namespace quillon {

namespace {

using namespace work_files;

const char kChoiceEnd[] = "<...> any key for continue, end";

// htm_out is emptied where its report is seen, and every work folder made.
void PrepareFolders(CommandLayer& commands, Console& console) {
  commands.run_command("dir > " + in_folder(kHtmlOut, kClearingFile));
  commands.run_command("del /q " + in_folder(kHtmlOut, kEveryFile));
  console.print_line();
  for (const std::string& folder : kWorkFolders)
    commands.run_command("md " + folder + " > " + kSink);
}

void StopWithoutTwoTextFiles(long count, Console& console, const FailureLog& failures) {
  if (count >= 2) return;
  console.print_line();
  console.print_line(kSeparator);
  if (count == 0) {
    console.print_line("Subfolder compare_in is empty");
    console.print_line(
        "The files you want to compare must be written to UTF-8 format and copied to the "
        "COMPARE_IN subfolder.");
  } else {
    console.print_line("The compare_in subfolder must contain at least 2 files.");
  }
  console.print_line();
  end_prompt(console, failures);
}

void StopWithoutChosenFiles(long count, Console& console, const FailureLog& failures) {
  if (count > 0) return;
  console.print_line();
  console.print_line(kSeparator);
  console.print_line("Subfolder txt_in is empty");
  console.print_line();
  end_prompt(console, failures);
}

// Empties a work folder when the listing of folders shows it.
void ClearIfListed(CommandLayer& commands, FileTable& files, const std::string& folder) {
  commands.run_command("dir /b " + kEveryFolder + " > " + kScratchListing);
  if (folder_listed(files, kScratchListing, folder)) clear_folder(commands, folder);
}

// Prints the numbered list from its first line; gives its length.
long PrintFileList(Console& console, TableFile& list) {
  list.rewind();
  long length = 0;
  for (std::string line; list.next_line(&line);) {
    console.print_number(++length, Ending::kNone);
    console.print_text(" ");
    console.print_line(line);
  }
  return length;
}

int32_t AskNumber(Console& console, const std::string& prompt) {
  std::string answer = console.ask_line(prompt);
  StringSource source(answer);
  return read_number_from(source);
}

int32_t AskChoice(Console& console, const FailureLog& failures, long length) {
  int32_t choice = AskNumber(console, "select file with line number = ");
  if (choice >= 1 && choice <= length) return choice;
  console.print_line("line number is out of range");
  console.print_line();
  any_key_end(console, failures, kChoiceEnd);
}

// The `choice`-th line of the list; the choice is within its length.
std::string ListLine(TableFile& list, int32_t choice) {
  list.rewind();
  std::string line;
  for (int32_t number = 1; number <= choice; ++number) list.next_line(&line);
  return line;
}

// Shows the chosen name and copies the file to txt_in, where the copy's
// report is seen; gives the name.
std::string TakeChoice(Console& console, CommandLayer& commands, TableFile& list, int32_t choice,
                       const char* label) {
  console.print_line();
  std::string name = ListLine(list, choice);
  console.print_line();
  console.print_text(label);
  console.print_line(name);
  commands.run_command("copy /y " + QuoteArgument(in_folder(kInputFolder, name)) + " " + kTextIn +
                       "\\");
  return name;
}

struct Choices {
  std::string first, second;
};

// Offers the text files of compare_in twice, and copies each choice to txt_in.
Choices ChooseFiles(FileTable& files, Console& console, CommandLayer& commands,
                    const FailureLog& failures) {
  // Files only: a folder is never offered, whatever its name.
  commands.run_command("dir /b /a-d " + in_folder(kInputFolder, kEveryTextFile) + " > " +
                       kChoiceList);
  console.print_line();
  console.print_line(kSeparator);
  TableFile list = files.input(kChoiceList);
  long length = PrintFileList(console, list);
  console.print_line();
  console.print_line("-- select 1. file for compare --");
  console.print_line();
  int32_t first = AskChoice(console, failures, length);
  Choices chosen;
  chosen.first = TakeChoice(console, commands, list, first, "1. file for compare: ");
  console.print_line(kSeparator);
  PrintFileList(console, list);
  console.print_line("-- select 2. file for compare --");
  console.print_line();
  int32_t second = AskChoice(console, failures, length);
  if (second == first) {
    console.print_line("the file is duplicated");
    console.print_line();
    any_key_end(console, failures, kChoiceEnd);
  }
  chosen.second = TakeChoice(console, commands, list, second, "2. file for compare: ");
  return chosen;
}

// A text in another character set (Latin-1, UTF-16) is compared and indexed
// byte for byte as it is, which shows as wrong characters on the pages: the
// person is told where it starts, and the run goes on.
void WarnIfNotUtf8(Disk& disk, FailureLog& failures, Console& console, const std::string& name) {
  std::string folder;
  DirEntry entry;
  if (!resolve_path(disk, kInputFolder, &folder) || !find_entry(disk, folder, name, &entry) ||
      !entry.is_file()) {
    return;
  }
  LineReader reader(disk, join_path(folder, entry.name), &failures);
  std::string line;
  for (long number = 1; reader.next(&line); ++number) {
    size_t at = first_non_utf8(line);
    if (at == std::string::npos) continue;
    std::string where = "line " + number_text(number) +
                        (line[at] == '\0' ? " holds a NUL byte" : " is the first that is not");
    console.print_warning(name + " is not UTF-8 text (" + where +
                          "); it is compared as its bytes are, unconverted.");
    return;
  }
}

std::string AskTableWidth(Console& console) {
  console.print_line();
  console.print_line(kSeparator);
  console.print_line("Determining the size of the table according to the screen size.");
  console.print_line("The table size parameter is defined in %");
  console.print_line(
      "100% means that the table is the same size (width) as the screen, but it is a matter of "
      "choice.");
  console.print_line();
  return table_width_for(
      AskNumber(console, "size table, a number without the % sign, <enter> = 100 :"));
}

}  // namespace

long text_file_count(FileTable& files, const std::string& listing) {
  return count_lines(files, listing, [](const std::string& line) {
    return find_text(1, line, kTextExtension) > 0;
  });
}

std::string table_width_for(int32_t number) {
  return number == 0 ? "100%" : number_text(number) + "%";
}

std::string select_input_files(Run& run) {
  CommandLayer& commands = run.commands;
  PrepareFolders(commands, run.console);
  commands.run_command("dir /b /a-d " + in_folder(kInputFolder, kEveryTextFile) + " > " +
                       kTextFileListing);
  StopWithoutTwoTextFiles(text_file_count(run.files, kTextFileListing), run.console, run.failures);
  ClearIfListed(commands, run.files, kTextIn);
  Choices chosen = ChooseFiles(run.files, run.console, commands, run.failures);
  WarnIfNotUtf8(run.disk, run.failures, run.console, chosen.first);
  WarnIfNotUtf8(run.disk, run.failures, run.console, chosen.second);
  commands.run_command("dir /b  " + in_folder(kTextIn, kEveryTextFile) + " > " + kTextFileListing);
  std::string table_width = AskTableWidth(run.console);
  StopWithoutChosenFiles(text_file_count(run.files, kTextFileListing), run.console, run.failures);
  ClearIfListed(commands, run.files, kHtmlIn);
  ClearIfListed(commands, run.files, kHtmlOut);
  return table_width;
}

}  // namespace quillon
