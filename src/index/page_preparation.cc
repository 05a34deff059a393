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
long LeftoverCount(FileTable& files) {
  TableFile in = files.input(kLeftoverCount);
  long count = 0;
  for (std::string line; in.next_line(&line);) count = round_to_int32(text_to_number(line));
  return count;
}

void ReportPagesLeft(Console& console, FailureLog& failures) {
  console.print_line(kSeparator);
  console.print_line("error at reading *.htm");
  console.print_line();
  console.print_line("The file must be deleted first, completely created and read.");
  console.print_line();
  end_prompt(console, failures);
}

long CountListedPages(FileTable& files) {
  TableFile in = files.input(kScratchListing);
  long count = 0;
  for (std::string line; in.next_line(&line);) {
    if (find_text(1, to_lower(line), kPageExtension) > 0) ++count;
  }
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

// The stripped copy is deleted unread once it has been copied to the page
// name, so it is renamed instead; not when it bears a page name itself,
// which a later page would have to find.
bool MoveTo(Disk& disk, const std::string& from, const std::string& to) {
  std::string source, target;
  return resolve_path(disk, from, &source) && resolve_for_writing(disk, to, &target) &&
         source != target && disk.rename(source, target);
}

void MakePages(FileTable& files, CommandLayer& commands, Console& console, Disk& disk,
               const std::string& pad) {
  long pages = CountListedPages(files);
  TableFile listing = files.input(kScratchListing);
  long page = 0;
  for (std::string line; listing.next_line(&line);) {
    std::string lower = to_lower(line);
    if (find_text(1, lower, kPageExtension) == 0) continue;
    console.progress(page, pages, "page preparation");
    std::string stripped = stripped_copy(lower);
    strip_into(files, in_folder(kHtmlIn, lower), stripped);
    std::string name = page_name(pad, ++page);
    if (!matches_pattern(kNumberedPages.pattern(), stripped) && MoveTo(disk, stripped, name)) {
      continue;
    }
    commands.run_command("copy /y " + QuoteArgument(stripped) + " " + name + " > " + kSink);
  }
}

}  // namespace

void strip_into(FileTable& files, const std::string& source, const std::string& target) {
  // The target opens first: a source that is the target reads as empty.
  TableFile out = files.output(target);
  TableFile in = files.input(source);
  for (std::string line; in.next_line(&line);) out.print_line(WithoutLowBytes(line));
}

std::string raised_page_number_pad(const std::string& pad, long count) {
  return count > 1 ? page_number_pad_for(count) : pad;
}

std::string stage_pages(Run& run, const std::string& page_number_pad) {
  run.run_command("dir > " + in_folder(kTextIn, kTextInClearingFile));
  run.run_command("del /q " + in_folder(kTextIn, kEveryPage) + " > " + kSink);
  run.run_command("copy /y " + in_folder(kHtmlWork, kEveryPage) + " " + kTextIn + "\\ > " + kSink);
  run.run_command("dir > " + kHtmlClearingFile);
  run.run_command("del /q " + kEveryPage + " > " + kSink);
  run.run_command("dir " + kEveryHtmPage + " | find /c \"" + kPageExtension + "\" > " +
                  kLeftoverCount);
  if (LeftoverCount(run.files) >= 1) ReportPagesLeft(run.console, run.failures);
  run.run_command("dir > " + in_folder(kHtmlIn, kHtmlClearingFile));
  run.run_command("del /q " + in_folder(kHtmlIn, kEveryPage) + " > " + kSink);
  run.run_command("cmd /c for %i in (" + kTextIn + ") do copy " + in_folder("%i", kEveryPage) +
                  " " + kHtmlIn + "\\ >> " + kSink);
  run.run_command("dir /b " + in_folder(kHtmlIn, kEveryPage) + " > " + kScratchListing);
  return raised_page_number_pad(page_number_pad, CountListedPages(run.files));
}

void start_indexing(Console& console, CommandLayer& commands) {
  console.print_line();
  console.print_line("============ INDEXING ===========");
  console.print_line();
  console.print_line("processed 1%");
  commands.run_command("dir /b > " + kScratchListing);
  commands.run_command("del /q " + kEveryTextFile);
}

void prepare_pages(Run& run, const std::string& page_number_pad) {
  std::string pad = stage_pages(run, page_number_pad);
  MakePages(run.files, run.commands, run.console, run.disk, pad);
  start_indexing(run.console, run.commands);
}

}  // namespace quillon
