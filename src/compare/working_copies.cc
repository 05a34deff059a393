#include "compare/working_copies.h"

#include "run/clean_name.h"
#include "run/work_files.h"
#include "run/work_folders.h"
#include "shell/command_line.h"

namespace quillon {

namespace {

using namespace work_files;

// Renames each working copy to its clean name; gives the number of lines.
long CleanWorkingCopyNames(Run& run) {
  int listing = run.files.free_file_number();
  run.files.open_input(kWorkingCopyList, listing);
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
    run.run_command("rename " + QuoteArgument(kTextWork + "\\" + parts.given) + " " +
                    QuoteArgument(clean));
  }
  run.files.close_file(listing);
  return count;
}

}  // namespace

std::string make_working_copies(Run& run) {
  clear_folder(run, kTextWork);
  run.run_command("copy /y " + kTextIn + "\\*.txt " + kTextWork + "\\ > " + kSink);
  run.run_command("dir /b " + kTextWork + "\\*.txt > " + kWorkingCopyList);
  long count = CleanWorkingCopyNames(run);
  clear_folder(run, kHtmlWork);
  run.run_command("dir /b " + kTextWork + "\\*.txt > " + kWorkingCopyList);
  return page_number_pad_for(count);
}

}  // namespace quillon
