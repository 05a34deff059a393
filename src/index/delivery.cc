#include "index/delivery.h"

#include <string>

#include "app/console_waits.h"
#include "app/product.h"
#include "base/command_line.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/work_folders.h"

namespace quillon {

namespace {

// The list files the run itself writes. A user's own ".list" file may have
// been moved here from compare_in during intake; it must stay.

void prepare_output_folder(Run& run) {
  run.run_command("dir /b *. > dir_01.txt");
  if (!folder_listed(run, "dir_01.txt", "htm_out")) run.run_command("md htm_out > out_null.list");
  run.run_command("dir > htm_out\\f_01.txt > out_null.list");
  run.run_command("del /q htm_out\\*.* > out_null.list");
}

// A page is deleted from the working folder right after its copy is made,
// so moving it gives the same result without writing it once more. Only a
// plain move into the emptied output folder is taken this way.
bool MovePage(Run& run, const std::string& name) {
  std::string from, folder;
  DirEntry entry;
  if (!ResolvePath(run.disk, name, &from) || !run.disk.Stat(from, &entry) || entry.is_dir ||
      !ResolvePath(run.disk, "htm_out", &folder)) {
    return false;
  }
  std::string to = JoinPath(folder, entry.name);
  return !run.disk.Stat(to, &entry) && run.disk.Rename(from, to);
}

// The numbered pages as dir_02.txt listed them before annotation, so the
// page copies made since then stay behind. Any file of the working folder
// can match that listing, so its names are quoted.
void copy_numbered_pages(Run& run) {
  FileTable& files = run.files;
  int in = files.free_file_number();
  files.open_input("dir_02.txt", in);
  while (!files.end_of_file(in)) {
    std::string line;
    files.read_line(in, &line);
    line = to_lower(line);
    if (find_text(1, line, ".htm") == 0) continue;
    if (run.strategy == Strategy::kFast && MovePage(run, trim_blanks(line))) continue;
    run.run_command("copy " + QuoteArgument(trim_blanks(line)) + " htm_out\\ > out_null.list");
  }
  files.close_file(in);
}

void copy_other_pages(Run& run) {
  run.run_command("copy htm_wrk\\compare.htm htm_out\\compare.htm > out_null.list");
  run.run_command("copy files_list.htm htm_out\\ > out_null.list");
  run.run_command("copy i_*.htm htm_out\\ > out_null.list");
  run.run_command("copy index.htm htm_out\\ > out_null.list");
  run.run_command("copy s_*.htm htm_out\\ > out_null.list");
}

// Deletes the ".txt" files of the working folder, the listing itself last:
// it is still being read while the others go.
void delete_text_files(Run& run) {
  const std::string listing = "dir_01.txt";
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
  for (const char* name : kRunListFiles) run.files.delete_file(name);
  delete_text_files(run);
}

void show_results(Run& run) {
  Console& console = run.console;
  console.print_line("processed 100%");
  console.print_line();
  console.print_line("============ RESULTS ===========");
  console.print_line();
  console.print_text("words in *.html files = ");
  console.print_number(run.settings.word_total, Ending::kLine);
  console.print_line();
  console.print_line("view subfolder: htm_out");
  console.print_line("unindexed file: compare.htm");
  console.print_line();
  console.print_line("indexed files: page*.htm, index*.htm, i_*.htm, s_*.htm");
  console.print_line("You can access the index of all words by double-clicking on any word.");
  console.print_line(std::string("details: ") + kProductAddress);
  console.print_line();
}

}  // namespace

void deliver_results(Run& run) {
  prepare_output_folder(run);
  copy_numbered_pages(run);
  copy_other_pages(run);
  clean_working_folder(run);
  show_results(run);
  any_key_end(run, "<...> any key to continue and end");
}

}  // namespace quillon
