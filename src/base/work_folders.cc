#include "base/work_folders.h"

namespace quillon {

bool folder_listed(Run& run, const std::string& listing, const std::string& folder) {
  int number = run.files.free_file_number();
  run.files.open_input(listing, number);
  bool found = false;
  std::string line;
  while (!found && !run.files.end_of_file(number)) {
    line.clear();
    run.files.read_line(number, &line);
    found = find_text(1, to_lower(line), folder) > 0;
  }
  run.files.close_file(number);
  return found;
}

void clear_folder(Run& run, const std::string& folder) {
  // The listing puts one file into the folder, so the delete always finds one.
  run.run_command("dir > " + folder + "\\f_01.txt");
  run.run_command("del /q " + folder + "\\*.* > out_null.list");
}

}  // namespace quillon
