#include "index/delivery.h"

#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "run/work_files.h"
#include "run/work_folders.h"
#include "shell/command_line.h"

namespace quillon {

namespace {

using namespace work_files;

void prepare_output_folder(Run& run) {
  run.run_command("dir /b *. > " + kScratchListing);
  if (!folder_listed(run, kScratchListing, kHtmlOut))
    run.run_command("md " + kHtmlOut + " > " + kSink);
  run.run_command("dir > " + kHtmlOut + "\\" + kClearingFile + " > " + kSink);
  run.run_command("del /q " + kHtmlOut + "\\*.* > " + kSink);
}

// A page is deleted from the working folder right after its copy is made,
// so moving it gives the same result without writing it once more. Only a
// plain move into the emptied output folder is taken this way.
bool MovePage(Run& run, const std::string& name) {
  std::string from, folder;
  DirEntry entry;
  if (!resolve_path(run.disk, name, &from) || !run.disk.stat(from, &entry) || entry.is_dir ||
      !resolve_path(run.disk, kHtmlOut, &folder)) {
    return false;
  }
  std::string to = join_path(folder, entry.name);
  return !run.disk.stat(to, &entry) && run.disk.rename(from, to);
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
    if (MovePage(run, trim_blanks(line))) continue;
    run.run_command("copy " + QuoteArgument(trim_blanks(line)) + " " + kHtmlOut + "\\ > " + kSink);
  }
  files.close_file(in);
}

void copy_other_pages(Run& run, const std::string& whole_page_folder) {
  const std::string to = " " + kHtmlOut + "\\ > " + kSink;
  run.run_command("copy " + whole_page_folder + "\\" + kComparePage + " " + kHtmlOut + "\\" +
                  kComparePage + " > " + kSink);
  run.run_command("copy " + kContentsPage + to);
  run.run_command("copy i_*.htm" + to);
  run.run_command("copy " + kWordIndexPage + to);
  run.run_command("copy s_*.htm" + to);
}

// Deletes the ".txt" files of the working folder, the listing itself last:
// it is still being read while the others go.
void delete_text_files(Run& run) {
  const std::string& listing = kScratchListing;
  run.run_command("dir /b *.txt > " + listing);
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
  run.run_command("del /q *.htm*");
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
