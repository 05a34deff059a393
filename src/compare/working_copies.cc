#include "compare/working_copies.h"

#include "app/console_waits.h"
#include "app/product.h"
#include "base/command_line.h"
#include "base/field_reader.h"
#include "intake/clean_name.h"
#include "base/work_folders.h"

namespace quillon {

namespace {

const char kSeparator[] = "----------------------------";

void AskDestination(Run& run) {
  run.print_line();
  run.print_line(kSeparator);
  run.print_line();
  run.print_line("The program enables targeted search.");
  run.print_line("Google search phrases will be targeted to a specific web address.");
  run.print_line(
      "If the destination web address is not specified, Google search will run all over the "
      "web.");
  run.print_line();
  std::string answer = run.console.ask_line(std::string("web address for destination search "
                                                        "(example: ") +
                                            kExampleHost + ") =");
  StringSource source(answer);
  run.settings.destination_site = read_token_from(source);
  run.print_line();
}

void ReportDuplicate(Run& run, const std::string& first, const std::string& second) {
  run.print_line();
  run.print_line("----- duplicate files -----");
  run.print_line(first);
  run.print_line(second);
  run.print_line();
  choice_prompt(run, "<1> continue", "<2> end");
}

// Compares the file of the `index`-th listed line with every later one.
void CompareWithLaterFiles(Run& run, long index, const std::string& name) {
  int first = run.files.free_file_number();
  run.files.open_input("txt_wrk\\" + name, first);
  int listing = run.files.free_file_number();
  run.files.open_input("f_05.txt", listing);
  std::string line;
  for (long skipped = 0; skipped < index; ++skipped) run.files.read_line(listing, &line);
  while (!run.files.end_of_file(listing)) {
    line.clear();
    run.files.read_line(listing, &line);
    int second = run.files.free_file_number();
    run.files.open_input("txt_wrk\\" + line, second);
    run.files.rewind_file(first);
    bool repeated = first_file_repeated(run, first, second);
    run.files.close_file(second);
    if (repeated) ReportDuplicate(run, name, line);
  }
  run.files.close_file(first);
  run.files.close_file(listing);
}

void CheckDuplicates(Run& run) {
  clear_folder(run, "txt_wrk");
  run.run_command("copy /y TXT_IN\\*.txt txt_wrk\\ > out_null.list");
  run.run_command("dir /b txt_wrk\\*.txt > f_03.txt");
  run.run_command("dir /b txt_wrk\\*.txt > f_05.txt");
  int listing = run.files.free_file_number();
  run.files.open_input("f_03.txt", listing);
  std::string name;
  for (long index = 1; !run.files.end_of_file(listing); ++index) {
    name.clear();
    run.files.read_line(listing, &name);
    CompareWithLaterFiles(run, index, name);
  }
  run.files.close_file(listing);
}

// Renames each working copy to its clean name; gives the number of lines.
long CleanWorkingCopyNames(Run& run) {
  int listing = run.files.free_file_number();
  run.files.open_input("txt_wrk.list", listing);
  long count = 0;
  std::string line;
  while (!run.files.end_of_file(listing)) {
    line.clear();
    run.files.read_line(listing, &line);
    ++count;
    NameParts parts = working_copy_name_parts(line);
    if (parts.marker == 0) continue;
    std::string clean = clean_name(parts);
    if (clean == parts.given) continue;
    run.run_command("rename " + QuoteArgument("txt_wrk\\" + parts.given) + " " +
                    QuoteArgument(clean));
  }
  run.files.close_file(listing);
  return count;
}

void MakeWorkingCopies(Run& run) {
  clear_folder(run, "txt_wrk");
  run.run_command("copy /y txt_in\\*.txt txt_wrk\\ > out_null.list");
  run.run_command("dir /b txt_wrk\\*.txt > txt_wrk.list");
  long count = CleanWorkingCopyNames(run);
  clear_folder(run, "htm_wrk");
  run.settings.page_number_pad = page_number_pad_for(count);
  run.run_command("dir /b txt_wrk\\*.txt > txt_wrk.list");
}

}  // namespace

bool first_file_repeated(Run& run, int first, int second) {
  std::string line, other;
  while (!run.files.end_of_file(first)) {
    line.clear();
    run.files.read_line(first, &line);
    if (run.files.end_of_file(second)) return false;
    other.clear();
    run.files.read_line(second, &other);
    if (compare_text(line, other) != 0) return false;
  }
  return true;
}

void prepare_working_copies(Run& run) {
  AskDestination(run);
  CheckDuplicates(run);
  MakeWorkingCopies(run);
}

}  // namespace quillon
