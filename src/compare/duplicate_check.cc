#include "compare/duplicate_check.h"

#include "run/console_waits.h"
#include "run/work_files.h"
#include "run/work_folders.h"

namespace quillon {

namespace {

using namespace work_files;

void ReportDuplicate(Console& console, const std::string& first, const std::string& second) {
  console.print_line();
  console.print_line("----- duplicate files -----");
  console.print_line(first);
  console.print_line(second);
  console.print_line();
  choice_prompt(console, "<1> continue", "<2> end");
}

// Compares the file of the `index`-th listed line with every later one.
void CompareWithLaterFiles(FileTable& files, Console& console, long index,
                           const std::string& name) {
  TableFile first = files.input(in_folder(kTextWork, name));
  TableFile listing = files.input(kDuplicateSecondList);
  std::string line;
  for (long skipped = 0; skipped < index; ++skipped) listing.next_line(&line);
  while (listing.next_line(&line)) {
    bool repeated;
    {
      TableFile second = files.input(in_folder(kTextWork, line));
      first.rewind();
      repeated = first_file_repeated(first, second);
    }
    if (repeated) ReportDuplicate(console, name, line);
  }
}

}  // namespace

bool first_file_repeated(TableFile& first, TableFile& second) {
  std::string line, other;
  while (first.next_line(&line)) {
    if (!second.next_line(&other)) return false;
    if (compare_text(line, other) != 0) return false;
  }
  return true;
}

void check_duplicate_inputs(Run& run) {
  clear_folder(run.commands, kTextWork);
  run.run_command("copy /y " + in_folder(kTextInAsSpelled, kEveryTextFile) + " " + kTextWork +
                  "\\ > " + kSink);
  run.run_command("dir /b " + in_folder(kTextWork, kEveryTextFile) + " > " + kDuplicateFirstList);
  run.run_command("dir /b " + in_folder(kTextWork, kEveryTextFile) + " > " + kDuplicateSecondList);
  TableFile listing = run.files.input(kDuplicateFirstList);
  std::string name;
  for (long index = 1; listing.next_line(&name); ++index) {
    CompareWithLaterFiles(run.files, run.console, index, name);
  }
}

}  // namespace quillon
