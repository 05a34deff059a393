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

void prepare_output_folder(Run& run) {
  run.run_command("dir /b *. > " + kScratchListing);
  if (!folder_listed(run.files, kScratchListing, kHtmlOut))
    run.run_command("md " + kHtmlOut + " > " + kSink);
  run.run_command("dir > " + kHtmlOut + "\\" + kClearingFile + " > " + kSink);
  run.run_command("del /q " + kHtmlOut + "\\*.* > " + kSink);
}

// A page is deleted from the working folder right after its copy is made,
// so moving it gives the same result without writing it once more. Only a
// plain move into the emptied output folder is taken this way.
bool MovePage(Run& run, const std::string& folder, const DirEntry& page) {
  std::string from = join_path(folder, page.name), output;
  DirEntry entry;
  if (page.is_dir || !resolve_path(run.disk, kHtmlOut, &output)) return false;
  std::string to = join_path(output, page.name);
  return !run.disk.stat(to, &entry) && run.disk.rename(from, to);
}

// The files of the working folder that a command would take for `pages`
// (a name, or a pattern), and their folder.
std::vector<DirEntry> Matching(Run& run, const std::string& pages, std::string* folder) {
  std::string last;
  std::vector<DirEntry> entries;
  DirEntry entry;
  if (!resolve_parent(run.disk, pages, folder, &last) || last.empty()) return entries;
  if (!has_wildcard(last)) {
    if (find_entry(run.disk, *folder, last, &entry)) entries.push_back(entry);
  } else if (list_folder(run.disk, *folder, &entries)) {
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const DirEntry& e) { return !matches_pattern(last, e.name); }),
                  entries.end());
  }
  return entries;
}

// Moves the pages that `copy` (the command line that copies them) would
// copy. The command delivers what cannot be moved, and says so when nothing
// is there.
void DeliverPages(Run& run, const std::string& pages, const std::string& copy) {
  std::string folder;
  std::vector<DirEntry> entries = Matching(run, pages, &folder);
  bool left = entries.empty();
  for (const DirEntry& page : entries) left = !MovePage(run, folder, page) || left;
  if (left) run.run_command(copy);
}

// The numbered pages as dir_02.txt listed them before annotation, so the
// page copies made since then stay behind. Any file of the working folder
// can match that listing, so its names are quoted.
void copy_numbered_pages(Run& run) {
  FileTable& files = run.files;
  int in = files.free_file_number();
  files.open_input(kPageListing, in);
  while (!files.end_of_file(in)) {
    std::string line;
    files.read_line(in, &line);
    line = to_lower(line);
    if (find_text(1, line, ".htm") == 0) continue;
    std::string page = trim_blanks(line);
    DeliverPages(run, page, "copy " + QuoteArgument(page) + " " + kHtmlOut + "\\ > " + kSink);
  }
  files.close_file(in);
}

void copy_other_pages(Run& run, const std::string& whole_page_folder) {
  run.run_command("copy " + whole_page_folder + "\\" + kComparePage + " " + kHtmlOut + "\\" +
                  kComparePage + " > " + kSink);
  for (const std::string& pages :
       {kContentsPage, std::string("i_*.htm"), kWordIndexPages, std::string("s_*.htm")}) {
    DeliverPages(run, pages, "copy " + pages + " " + kHtmlOut + "\\ > " + kSink);
  }
}

// Deletes the ".txt" files of the working folder, the listing itself last:
// it is still being read while the others go.
void delete_text_files(Run& run) {
  const std::string& listing = kScratchListing;
  run.run_command("dir /b /a-d *.txt > " + listing);
  FileTable& files = run.files;
  int in = files.free_file_number();
  files.open_input(listing, in);
  while (!files.end_of_file(in)) {
    std::string line;
    files.read_line(in, &line);
    line = to_lower(line);
    if (line != listing) files.delete_file(line);
  }
  files.close_file(in);
  files.delete_file(listing);
}

void clean_working_folder(Run& run) {
  // The pages copied to htm_out would still be here for the delete to find;
  // moved, they may all be gone, and the delete would say it found nothing.
  std::string folder;
  if (!Matching(run, "*.htm*", &folder).empty()) run.run_command("del /q *.htm*");
  // Only the run's own list files: a user's ".list" file may have been moved
  // here from compare_in during intake, and it stays.
  for (const std::string& name : kRunListFiles) run.files.delete_file(name);
  delete_text_files(run);
}

}  // namespace

void deliver_pages(Run& run, const std::string& whole_page_folder) {
  prepare_output_folder(run);
  copy_numbered_pages(run);
  copy_other_pages(run, whole_page_folder);
  clean_working_folder(run);
}

}  // namespace quillon
