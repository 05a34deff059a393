#include "model/model_sort.h"

#include <vector>

#include "base/end_run.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

const size_t kRunLines = 2000;
const int kMaxMerge = 50;

struct SortNames {
  const std::string& input;
  const std::string& output;
};

[[noreturn]] void NoFileNumberScreen(Run& run, const SortNames& names, int file_max, int number) {
  run.files.close_file(number);
  run.print_line("---------- sort error ----------");
  run.print_line("number of files > file.max");
  run.print_text("file.max = ");
  run.console.print_number(file_max, Ending::kLine);
  run.print_line("sort.input$ = " + names.input);
  run.print_line("sort.output$ = " + names.output);
  run.print_line("file.name.02$ = " + kSortMergeOutput);
  run.print_text("file.num.02 = ");
  run.console.print_number(number, Ending::kLine);
  end_run();
}

// Selection by rounds: the smallest line not yet taken, the earliest of equals.
void WriteRun(Run& run, std::vector<std::string>* table, long run_number) {
  int number = run.files.free_file_number();
  run.files.open_output(sort_run_file(run_number), number);
  std::vector<bool> taken(table->size(), false);
  size_t first_free = 0;
  while (first_free < table->size()) {
    size_t candidate = first_free;
    for (size_t i = first_free; i < table->size(); ++i) {
      if (!taken[i] && compare_text((*table)[i], (*table)[candidate]) < 0) candidate = i;
    }
    run.files.print_line(number, (*table)[candidate]);
    taken[candidate] = true;
    if (candidate == first_free) {
      while (first_free < table->size() && taken[first_free]) ++first_free;
    }
  }
  run.files.close_file(number);
  table->clear();
}

void MergePass(Run& run, const SortNames& names, int file_max) {
  std::vector<int> numbers(static_cast<size_t>(file_max));
  std::vector<std::string> current(static_cast<size_t>(file_max));
  std::vector<bool> exhausted(static_cast<size_t>(file_max), false);
  for (int f = 0; f < file_max; ++f) {
    numbers[f] = run.files.free_file_number();
    run.files.open_input(sort_run_file(f + 1), numbers[f]);
    run.files.read_line(numbers[f], &current[f]);
  }
  int out = run.files.free_file_number();
  if (out == 0) NoFileNumberScreen(run, names, file_max, out);
  run.files.open_output(kSortMergeOutput, out);
  int candidate = 0;
  for (;;) {
    for (int f = 0; f < file_max; ++f) {
      if (!exhausted[f] && compare_text(current[f], current[candidate]) < 0) candidate = f;
    }
    run.files.print_line(out, current[candidate]);
    if (!run.files.end_of_file(numbers[candidate])) {
      run.files.read_line(numbers[candidate], &current[candidate]);
      continue;
    }
    exhausted[candidate] = true;
    candidate = -1;
    for (int f = 0; f < file_max && candidate < 0; ++f) {
      if (!exhausted[f]) candidate = f;
    }
    if (candidate < 0) break;
  }
  run.files.close_file(out);
  for (int number : numbers) run.files.close_file(number);
}

void CheckOrder(Run& run) {
  int number = run.files.free_file_number();
  run.files.open_input(kSortMergeOutput, number);
  std::string previous, line;
  bool first = true;
  while (!run.files.end_of_file(number)) {
    run.files.read_line(number, &line);
    if (!first && compare_text(line, previous) < 0) {
      run.files.close_file(number);
      run.print_line("sort error");
      end_run();
    }
    previous = line;
    first = false;
  }
  run.files.close_file(number);
}

}  // namespace

void model_sort_file(Run& run, const std::string& input, const std::string& output) {
  if (input.empty()) end_run();
  SortNames names{input, output};
  run.run_command("dir > " + kSortRunClearingFile);
  run.run_command("del /q file_s_*.txt > " + kSortSink);
  int in = run.files.free_file_number();
  run.files.open_input(input, in);
  std::vector<std::string> table;
  long runs = 0;
  std::string line;
  while (!run.files.end_of_file(in)) {
    run.files.read_line(in, &line);
    table.push_back(line);
    if (table.size() == kRunLines) WriteRun(run, &table, ++runs);
  }
  if (!table.empty()) WriteRun(run, &table, ++runs);
  run.files.close_file(in);
  if (runs == 0) {
    // No line to merge: the output is written empty.
    int number = run.files.free_file_number();
    run.files.open_output(output, number);
    run.files.close_file(number);
    return;
  }
  int file_max = runs < kMaxMerge ? static_cast<int>(runs) : kMaxMerge;
  for (;;) {
    MergePass(run, names, file_max);
    CheckOrder(run);
    if (runs <= file_max) break;
    for (int n = 1; n <= file_max; ++n) {
      run.run_command("del /q " + sort_run_file(n) + " > " + kSink);
    }
    for (long n = file_max + 1; n <= runs; ++n) {
      run.files.copy_file(sort_run_file(n), sort_run_file(n - file_max + 1));
    }
    run.files.copy_file(kSortMergeOutput, sort_run_file(1));
    runs = runs - file_max + 1;
    if (runs < file_max) file_max = static_cast<int>(runs);
  }
  run.files.copy_file(kSortMergeOutput, output);
}

}  // namespace quillon
