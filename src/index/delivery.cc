#include "index/delivery.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "base/wildcard.h"
#include "run/work_files.h"
#include "run/work_folders.h"
#include "shell/command_line.h"

namespace quillon {

namespace {

using namespace work_files;

void PrepareOutputFolder(CommandLayer& commands, FileTable& files) {
  commands.run_command("dir /b " + kEveryFolder + " > " + kScratchListing);
  if (!folder_listed(files, kScratchListing, kHtmlOut))
    commands.run_command("md " + kHtmlOut + " > " + kSink);
  commands.run_command("dir > " + in_folder(kHtmlOut, kClearingFile) + " > " + kSink);
  commands.run_command("del /q " + in_folder(kHtmlOut, kEveryFile) + " > " + kSink);
}

// A page is deleted from the working folder right after its copy is made,
// so moving it gives the same result without writing it once more. Only a
// plain move into the emptied output folder is taken this way.
bool MovePage(Disk& disk, const std::string& folder, const DirEntry& page) {
  std::string from = join_path(folder, page.name), output;
  DirEntry entry;
  if (page.is_dir || !resolve_path(disk, kHtmlOut, &output)) return false;
  std::string to = join_path(output, page.name);
  return !disk.stat(to, &entry) && disk.rename(from, to);
}

// The files of the working folder that a command would take for `pages`
// (a name, or a pattern), and their folder.
std::vector<DirEntry> Matching(Disk& disk, const std::string& pages, std::string* folder) {
  std::string last;
  std::vector<DirEntry> entries;
  DirEntry entry;
  if (!resolve_parent(disk, pages, folder, &last) || last.empty()) return entries;
  if (!has_wildcard(last)) {
    if (find_entry(disk, *folder, last, &entry)) entries.push_back(entry);
  } else if (list_folder(disk, *folder, &entries)) {
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const DirEntry& e) { return !matches_pattern(last, e.name); }),
                  entries.end());
  }
  return entries;
}

// Moves the pages that `copy` (the command line that copies them) would
// copy. The command delivers what cannot be moved, and says so when nothing
// is there.
void DeliverPages(Disk& disk, CommandLayer& commands, const std::string& pages,
                  const std::string& copy) {
  std::string folder;
  std::vector<DirEntry> entries = Matching(disk, pages, &folder);
  bool left = entries.empty();
  for (const DirEntry& page : entries) left = !MovePage(disk, folder, page) || left;
  if (left) commands.run_command(copy);
}

// The numbered pages as dir_02.txt listed them before annotation, so the
// page copies made since then stay behind. Any file of the working folder
// can match that listing, so its names are quoted.
void DeliverNumberedPages(Disk& disk, CommandLayer& commands, FileTable& files) {
  TableFile listing = files.input(kPageListing);
  for (std::string line; listing.next_line(&line);) {
    line = to_lower(line);
    if (find_text(1, line, kPageExtension) == 0) continue;
    std::string page = trim_blanks(line);
    DeliverPages(disk, commands, page,
                 "copy " + QuoteArgument(page) + " " + kHtmlOut + "\\ > " + kSink);
  }
}

void DeliverOtherPages(Disk& disk, CommandLayer& commands, const std::string& whole_page_folder) {
  commands.run_command("copy " + in_folder(whole_page_folder, kComparePage) + " " +
                       in_folder(kHtmlOut, kComparePage) + " > " + kSink);
  for (const std::string& pages :
       {kContentsPage, kGroupIndexPages.pattern(), kWordIndexPages, kGroupSearchPages.pattern()}) {
    DeliverPages(disk, commands, pages, "copy " + pages + " " + kHtmlOut + "\\ > " + kSink);
  }
}

// Deletes the ".txt" files of the working folder, the listing itself last:
// it is still being read while the others go.
void DeleteTextFiles(CommandLayer& commands, FileTable& files) {
  commands.run_command("dir /b /a-d " + kEveryTextFile + " > " + kScratchListing);
  TableFile listing = files.input(kScratchListing);
  for (std::string line; listing.next_line(&line);) {
    line = to_lower(line);
    if (line != kScratchListing) files.delete_file(line);
  }
  listing.close();
  files.delete_file(kScratchListing);
}

void CleanWorkingFolder(Disk& disk, CommandLayer& commands, FileTable& files) {
  // The pages copied to htm_out would still be here for the delete to find;
  // moved, they may all be gone, and the delete would say it found nothing.
  std::string folder;
  if (!Matching(disk, kEveryPage, &folder).empty()) commands.run_command("del /q " + kEveryPage);
  // Only the run's own list files: a user's ".list" file may have been moved
  // here from compare_in during intake, and it stays.
  for (const std::string& name : kRunListFiles) files.delete_file(name);
  DeleteTextFiles(commands, files);
}

}  // namespace

void deliver_pages(Run& run, const std::string& whole_page_folder) {
  PrepareOutputFolder(run.commands, run.files);
  DeliverNumberedPages(run.disk, run.commands, run.files);
  DeliverOtherPages(run.disk, run.commands, whole_page_folder);
  CleanWorkingFolder(run.disk, run.commands, run.files);
}

}  // namespace quillon
