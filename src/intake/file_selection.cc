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

void PrepareFolders(Run& run) {
  run.run_command("dir > " + kHtmlOut + "\\" + kClearingFile);
  run.run_command("del /q " + kHtmlOut + "\\*.*");
  run.print_line();
  for (const std::string& folder : kWorkFolders) run.run_command("md " + folder + " > " + kSink);
}

void RequireTwoTextFiles(Run& run) {
  run.run_command("dir /b /a-d " + kInputFolder + "\\*.txt > " + kTextFileListing);
  long count = text_file_count(run, kTextFileListing);
  if (count >= 2) return;
  run.print_line();
  run.print_line(kSeparator);
  if (count == 0) {
    run.print_line("Subfolder compare_in is empty");
    run.print_line(
        "The files you want to compare must be written to UTF-8 format and copied to the "
        "COMPARE_IN subfolder.");
  } else {
    run.print_line("The compare_in subfolder must contain at least 2 files.");
  }
  run.print_line();
  end_prompt(run.console, run.failures);
}

// Empties a work folder when the listing of folders shows it.
void ClearIfListed(Run& run, const std::string& folder) {
  run.run_command("dir /b *. > " + kScratchListing);
  if (folder_listed(run.files, kScratchListing, folder)) clear_folder(run.commands, folder);
}

// Prints the numbered list from its first line; gives its length.
long PrintFileList(Run& run, int list) {
  run.files.rewind_file(list);
  long length = 0;
  std::string line;
  while (!run.files.end_of_file(list)) {
    line.clear();
    run.files.read_line(list, &line);
    run.console.print_number(++length, Ending::kNone);
    run.print_text(" ");
    run.print_line(line);
  }
  return length;
}

int32_t AskNumber(Run& run, const std::string& prompt) {
  std::string answer = run.console.ask_line(prompt);
  StringSource source(answer);
  return read_number_from(source);
}

int32_t AskChoice(Run& run, long length) {
  int32_t choice = AskNumber(run, "select file with line number = ");
  if (choice >= 1 && choice <= length) return choice;
  run.print_line("line number is out of range");
  run.print_line();
  any_key_end(run.console, run.failures, kChoiceEnd);
}

std::string ListLine(Run& run, int list, int32_t choice) {
  run.files.rewind_file(list);
  std::string line;
  for (int32_t number = 1; number <= choice; ++number) {
    line.clear();
    run.files.read_line(list, &line);
  }
  return line;
}

// Shows the chosen name and copies the file to txt_in, where the copy's
// report is seen; gives the name.
std::string TakeChoice(Run& run, int list, int32_t choice, const char* label) {
  run.print_line();
  std::string name = ListLine(run, list, choice);
  run.print_line();
  run.print_text(label);
  run.print_line(name);
  run.run_command("copy /y " + QuoteArgument(kInputFolder + "\\" + name) + " " + kTextIn + "\\");
  return name;
}

// A text in another character set (Latin-1, UTF-16) is compared and indexed
// byte for byte as it is, which shows as wrong characters on the pages: the
// person is told where it starts, and the run goes on.
void WarnIfNotUtf8(Run& run, const std::string& name) {
  std::string folder;
  DirEntry entry;
  if (!resolve_path(run.disk, kInputFolder, &folder) ||
      !find_entry(run.disk, folder, name, &entry) || !entry.is_file()) {
    return;
  }
  LineReader reader(run.disk, join_path(folder, entry.name), &run.failures);
  std::string line;
  for (long number = 1; reader.next(&line); ++number) {
    size_t at = first_non_utf8(line);
    if (at == std::string::npos) continue;
    std::string where = "line " + number_text(number) +
                        (line[at] == '\0' ? " holds a NUL byte" : " is the first that is not");
    run.console.print_warning(name + " is not UTF-8 text (" + where +
                              "); it is compared as its bytes are, unconverted.");
    return;
  }
}

void ChooseFiles(Run& run) {
  // Files only: a folder is never offered, whatever its name.
  run.run_command("dir /b /a-d " + kInputFolder + "\\*.txt > " + kChoiceList);
  run.print_line();
  run.print_line(kSeparator);
  int list = run.files.free_file_number();
  run.files.open_input(kChoiceList, list);
  long length = PrintFileList(run, list);
  run.print_line();
  run.print_line("-- select 1. file for compare --");
  run.print_line();
  int32_t first = AskChoice(run, length);
  std::string first_name = TakeChoice(run, list, first, "1. file for compare: ");
  run.print_line(kSeparator);
  PrintFileList(run, list);
  run.print_line("-- select 2. file for compare --");
  run.print_line();
  int32_t second = AskChoice(run, length);
  if (second == first) {
    run.print_line("the file is duplicated");
    run.print_line();
    any_key_end(run.console, run.failures, kChoiceEnd);
  }
  std::string second_name = TakeChoice(run, list, second, "2. file for compare: ");
  run.files.close_file(list);
  WarnIfNotUtf8(run, first_name);
  WarnIfNotUtf8(run, second_name);
  run.run_command("dir /b  " + kTextIn + "\\*.txt > " + kTextFileListing);
}

std::string AskTableWidth(Run& run) {
  run.print_line();
  run.print_line(kSeparator);
  run.print_line("Determining the size of the table according to the screen size.");
  run.print_line("The table size parameter is defined in %");
  run.print_line(
      "100% means that the table is the same size (width) as the screen, but it is a matter of "
      "choice.");
  run.print_line();
  return table_width_for(
      AskNumber(run, "size table, a number without the % sign, <enter> = 100 :"));
}

void CloseSelection(Run& run) {
  if (text_file_count(run, kTextFileListing) == 0) {
    run.print_line();
    run.print_line(kSeparator);
    run.print_line("Subfolder txt_in is empty");
    run.print_line();
    end_prompt(run.console, run.failures);
  }
  ClearIfListed(run, kHtmlIn);
  ClearIfListed(run, kHtmlOut);
}

}  // namespace

long text_file_count(Run& run, const std::string& listing) {
  return count_lines(run.files, listing,
                     [](const std::string& line) { return find_text(1, line, ".txt") > 0; });
}

std::string table_width_for(int32_t number) {
  return number == 0 ? "100%" : number_text(number) + "%";
}

std::string select_input_files(Run& run) {
  PrepareFolders(run);
  RequireTwoTextFiles(run);
  ClearIfListed(run, kTextIn);
  ChooseFiles(run);
  std::string table_width = AskTableWidth(run);
  CloseSelection(run);
  return table_width;
}

}  // namespace quillon
