#include "compare/duplicate_check.h"

#include "run/console_waits.h"
#include "run/work_files.h"
#include "run/work_folders.h"

namespace quillon {

namespace {

using namespace work_files;

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
  run.files.open_input(kTextWork + "\\" + name, first);
  int listing = run.files.free_file_number();
  run.files.open_input(kDuplicateSecondList, listing);
  std::string line;
  for (long skipped = 0; skipped < index; ++skipped) run.files.read_line(listing, &line);
  while (!run.files.end_of_file(listing)) {
    line.clear();
    run.files.read_line(listing, &line);
    int second = run.files.free_file_number();
    run.files.open_input(kTextWork + "\\" + line, second);
    run.files.rewind_file(first);
    bool repeated = first_file_repeated(run, first, second);
    run.files.close_file(second);
    if (repeated) ReportDuplicate(run, name, line);
  }
  run.files.close_file(first);
  run.files.close_file(listing);
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

void check_duplicate_inputs(Run& run) {
  clear_folder(run, kTextWork);
  run.run_command("copy /y TXT_IN\\*.txt " + kTextWork + "\\ > " + kSink);
  run.run_command("dir /b " + kTextWork + "\\*.txt > " + kDuplicateFirstList);
  run.run_command("dir /b " + kTextWork + "\\*.txt > " + kDuplicateSecondList);
  int listing = run.files.free_file_number();
  run.files.open_input(kDuplicateFirstList, listing);
  std::string name;
  for (long index = 1; !run.files.end_of_file(listing); ++index) {
    name.clear();
    run.files.read_line(listing, &name);
    CompareWithLaterFiles(run, index, name);
  }
  run.files.close_file(listing);
}

}  // namespace quillon
