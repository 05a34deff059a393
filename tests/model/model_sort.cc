#include "model/model_sort.h"

#include <algorithm>
#include <vector>

namespace quillon {

void model_sort_file(Run& run, const std::string& input, const std::string& output) {
  std::vector<std::string> lines;
  int in = run.files.free_file_number();
  run.files.open_input(input, in);
  while (!run.files.end_of_file(in)) {
    lines.emplace_back();
    run.files.read_line(in, &lines.back());
  }
  run.files.close_file(in);
  std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
    return compare_text(a, b) < 0;
  });
  int out = run.files.free_file_number();
  run.files.open_output(output, out);
  for (const std::string& line : lines) run.files.print_line(out, line);
  run.files.close_file(out);
}

}  // namespace quillon
