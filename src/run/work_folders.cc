#include "run/work_folders.h"

#include "base/text.h"
#include "run/work_files.h"

namespace quillon {

long count_lines(Run& run, const std::string& name,
                 const std::function<bool(const std::string&)>& counts) {
  int number = run.files.free_file_number();
  run.files.open_input(name, number);
  long count = 0;
  std::string line;
  while (!run.files.end_of_file(number)) {
    line.clear();
    run.files.read_line(number, &line);
    if (counts(line)) ++count;
  }
  run.files.close_file(number);
  return count;
}

bool folder_listed(Run& run, const std::string& listing, const std::string& folder) {
  return count_lines(run, listing, [&](const std::string& line) {
           return find_text(1, to_lower(line), folder) > 0;
         }) > 0;
}

void clear_folder(Run& run, const std::string& folder) {
  // The listing puts one file into the folder, so the delete always finds one.
  run.run_command("dir > " + folder + "\\" + work_files::kClearingFile);
  run.run_command("del /q " + folder + "\\*.* > " + work_files::kSink);
}

}  // namespace quillon
