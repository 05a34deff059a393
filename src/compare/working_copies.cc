#include "compare/working_copies.h"

#include <set>
#include <vector>

#include "base/verified_copy.h"
#include "base/wildcard.h"
#include "run/clean_name.h"
#include "run/work_files.h"
#include "run/work_folders.h"
#include "shell/command_line.h"

namespace quillon {

namespace {

using namespace work_files;

// Renames each working copy to its clean name; gives the number of lines.
long CleanWorkingCopyNames(FileTable& files, CommandLayer& commands) {
  TableFile listing = files.input(kWorkingCopyList);
  long count = 0;
  for (std::string line; listing.next_line(&line);) {
    ++count;
    NameParts parts = working_copy_name_parts(line);
    if (parts.marker == 0) continue;
    std::string clean = clean_name(parts);
    if (clean == parts.given) continue;
    commands.run_command("rename " + QuoteArgument(in_folder(kTextWork, parts.given)) + " " +
                         QuoteArgument(clean));
  }
  return count;
}

// True when txt_wrk holds exactly what emptying it and copying txt_in's
// text files into it would give: the duplicate check's copies, untouched.
// Making them again would write every input a second time for nothing.
bool CopiesStand(Disk& disk) {
  std::vector<DirEntry> inputs, copies;
  if (!disk.read_dir(kTextIn, &inputs) || !disk.read_dir(kTextWork, &copies)) return false;
  std::set<std::string> expected;
  for (const DirEntry& entry : inputs) {
    if (entry.is_file() && matches_pattern(kEveryTextFile, entry.name)) expected.insert(entry.name);
  }
  // With nothing to copy the copy has an error to show.
  if (expected.empty() || copies.size() != expected.size()) return false;
  for (const DirEntry& copy : copies) {
    bool plain = copy.is_file() && !copy.is_link && copy.links <= 1;
    if (!plain || expected.count(copy.name) == 0 ||
        !same_bytes(disk, join_path(kTextIn, copy.name), join_path(kTextWork, copy.name))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string make_working_copies(Run& run) {
  CommandLayer& commands = run.commands;
  const std::string copies = in_folder(kTextWork, kEveryTextFile);
  if (!CopiesStand(run.disk)) {
    clear_folder(commands, kTextWork);
    commands.run_command("copy /y " + in_folder(kTextIn, kEveryTextFile) + " " + kTextWork +
                         "\\ > " + kSink);
  }
  commands.run_command("dir /b " + copies + " > " + kWorkingCopyList);
  long count = CleanWorkingCopyNames(run.files, commands);
  clear_folder(commands, kHtmlWork);
  commands.run_command("dir /b " + copies + " > " + kWorkingCopyList);
  return page_number_pad_for(count);
}

}  // namespace quillon
