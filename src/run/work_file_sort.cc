#include "run/work_file_sort.h"

#include "base/end_run.h"
#include "base/external_sort.h"
#include "base/paths.h"
#include "run/work_files.h"

namespace quillon {

namespace {

void WriteEmptyOutput(Run& run, const std::string& output) {
  int number = run.files.free_file_number();
  run.files.open_output(output, number);
  run.files.close_file(number);
}

}  // namespace

void sort_file(Run& run, const std::string& input, const std::string& output) {
  if (input.empty()) end_run();
  std::string from, to;
  DirEntry entry;
  bool readable =
      resolve_path(run.disk, input, &from) && run.disk.stat(from, &entry) && !entry.is_dir;
  if (!readable || !resolve_for_writing(run.disk, output, &to))
    return WriteEmptyOutput(run, output);
  SortOptions options;
  options.order = LineOrder::kBytes;
  options.scratch_prefix = work_files::kSortScratchPrefix;
  options.failures = &run.failures;
  if (!sort_lines(run.disk, from, to, options)) {
    run.print_line("sort error");
    fail_run();
  }
}

}  // namespace quillon
