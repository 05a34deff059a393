#include "index/page_preparation.h"

#include "base/paths.h"
#include "base/text.h"
#include "base/wildcard.h"
#include "run/console_waits.h"
#include "run/work_files.h"
#include "shell/command_line.h"

namespace quillon {

namespace {

using namespace work_files;

// The number on the last line of count.txt; a file without lines counts 0.
long LeftoverCount(Run& run) {
  int number = run.files.free_file_number();
  run.files.open_input(kLeftoverCount, number);
  long count = 0;
  std::string line;
  while (!run.files.end_of_file(number)) {
    run.files.read_line(number, &line);
    count = round_to_int32(text_to_number(line));
  }
  run.files.close_file(number);
  return count;
}

void CheckNoHtmlLeft(Run& run) {
  run.run_command("dir *.htm | find /c \".htm\" > " + kLeftoverCount);
  if (LeftoverCount(run) < 1) return;
  run.print_line(kSeparator);
  run.print_line("error at reading *.htm");
  run.print_line();
  run.print_line("The file must be deleted first, completely created and read.");
  run.print_line();
  end_prompt(run.console, run.failures);
}

long CountListedPages(Run& run) {
  int number = run.files.free_file_number();
  run.files.open_input(kScratchListing, number);
  long count = 0;
  std::string line;
  while (!run.files.end_of_file(number)) {
    run.files.read_line(number, &line);
    if (find_text(1, to_lower(line), ".htm") > 0) ++count;
  }
  run.files.close_file(number);
  return count;
}

std::string WithoutLowBytes(const std::string& line) {
  std::string kept;
  kept.reserve(line.size());
  for (char c : line) {
    if (static_cast<unsigned char>(c) >= 16) kept += c;
  }
  return kept;
}

}  // namespace

void strip_into(Run& run, const std::string& source, const std::string& target) {
  int out = run.files.free_file_number();
  run.files.open_output(target, out);
  int in = run.files.free_file_number();
  run.files.open_input(source, in);
  std::string line;
  while (!run.files.end_of_file(in)) {
    run.files.read_line(in, &line);
    run.files.print_line(out, WithoutLowBytes(line));
  }
  run.files.close_file(in);
  run.files.close_file(out);
}

namespace {

// The stripped copy is deleted unread once it has been copied to the page
// name, so it is renamed instead; not when it bears a page name itself,
// which a later page would have to find.
bool MoveTo(Run& run, const std::string& from, const std::string& to) {
  std::string source, target;
  return resolve_path(run.disk, from, &source) && resolve_for_writing(run.disk, to, &target) &&
         source != target && run.disk.rename(source, target);
}

void MakePages(Run& run, const std::string& pad) {
  long pages = CountListedPages(run);
  int list = run.files.free_file_number();
  run.files.open_input(kScratchListing, list);
  long page = 0;
  std::string line;
  while (!run.files.end_of_file(list)) {
    run.files.read_line(list, &line);
    std::string lower = to_lower(line);
    long q = find_text(1, lower, ".htm");
    if (q == 0) continue;
    run.console.progress(page, pages, "page preparation");
    std::string stripped = stripped_copy(lower);
    strip_into(run, kHtmlIn + "\\" + lower, stripped);
    std::string name = page_name(pad, ++page);
    if (!matches_pattern("page_*.htm", stripped) && MoveTo(run, stripped, name)) continue;
    run.run_command("copy /y " + QuoteArgument(stripped) + " " + name + " > " + kSink);
  }
  run.files.close_file(list);
}

}  // namespace

std::string raised_page_number_pad(const std::string& pad, long count) {
  return count > 1 ? page_number_pad_for(count) : pad;
}

std::string stage_pages(Run& run, const std::string& page_number_pad) {
  run.run_command("dir > " + kTextIn + "\\" + kTextInClearingFile);
  run.run_command("del /q " + kTextIn + "\\*.htm* > " + kSink);
  run.run_command("copy /y " + kHtmlWork + "\\*.htm* " + kTextIn + "\\ > " + kSink);
  run.run_command("dir > " + kHtmlClearingFile);
  run.run_command("del /q *.htm* > " + kSink);
  CheckNoHtmlLeft(run);
  run.run_command("dir > " + kHtmlIn + "\\" + kHtmlClearingFile);
  run.run_command("del /q " + kHtmlIn + "\\*.htm* > " + kSink);
  run.run_command("cmd /c for %i in (" + kTextIn + ") do copy %i\\*.htm* " + kHtmlIn + "\\ >> " +
                  kSink);
  run.run_command("dir /b " + kHtmlIn + "\\*.htm* > " + kScratchListing);
  return raised_page_number_pad(page_number_pad, CountListedPages(run));
}

void start_indexing(Run& run) {
  run.print_line();
  run.print_line("============ INDEXING ===========");
  run.print_line();
  run.print_line("processed 1%");
  run.run_command("dir /b > " + kScratchListing);
  run.run_command("del /q *.txt");
}

void prepare_pages(Run& run, const std::string& page_number_pad) {
  MakePages(run, stage_pages(run, page_number_pad));
  start_indexing(run);
}

}  // namespace quillon
