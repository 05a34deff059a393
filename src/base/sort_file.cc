#include "base/sort_file.h"

#include <vector>

#include "base/end_run.h"
#include "base/file_table.h"
#include "base/line_io.h"
#include "base/line_sort.h"
#include "base/paths.h"
#include "base/text.h"

namespace quillon {

namespace {

const size_t kRunLines = 2000;
const int kMaxMerge = 50;
const char kMergeOutput[] = "sort_output.txt";

std::string RunFileName(long number) { return "file_s_" + number_text(number) + ".txt"; }

[[noreturn]] void NoFileNumberScreen(Run& run, int file_max, int number) {
  run.files.close_file(number);
  run.print_line("---------- sort error ----------");
  run.print_line("number of files > file.max");
  run.print_text("file.max = ");
  run.console.print_number(file_max, Ending::kLine);
  run.print_line("sort.input$ = " + run.sort.input);
  run.print_line("sort.output$ = " + run.sort.output);
  run.print_line(std::string("file.name.02$ = ") + kMergeOutput);
  run.print_text("file.num.02 = ");
  run.console.print_number(number, Ending::kLine);
  end_run();
}

void WriteEmptyOutput(Run& run) {
  int number = run.files.free_file_number();
  run.files.open_output(run.sort.output, number);
  run.files.close_file(number);
}

// Selection by rounds: the smallest line not yet taken, the earliest of equals.
void WriteRun(Run& run, std::vector<std::string>* table, long run_number) {
  int number = run.files.free_file_number();
  run.files.open_output(RunFileName(run_number), number);
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

void MergePass(Run& run, int file_max) {
  std::vector<int> numbers(static_cast<size_t>(file_max));
  std::vector<std::string> current(static_cast<size_t>(file_max));
  std::vector<bool> exhausted(static_cast<size_t>(file_max), false);
  for (int f = 0; f < file_max; ++f) {
    numbers[f] = run.files.free_file_number();
    run.files.open_input(RunFileName(f + 1), numbers[f]);
    run.files.read_line(numbers[f], &current[f]);
  }
  int out = run.files.free_file_number();
  if (out == 0) NoFileNumberScreen(run, file_max, out);
  run.files.open_output(kMergeOutput, out);
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
  run.files.open_input(kMergeOutput, number);
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

void ReferenceSort(Run& run) {
  run.run_command("dir > file_s_01.txt");
  run.run_command("del /q file_s_*.txt > null.txt");
  int input = run.files.free_file_number();
  run.files.open_input(run.sort.input, input);
  std::vector<std::string> table;
  long runs = 0;
  std::string line;
  while (!run.files.end_of_file(input)) {
    run.files.read_line(input, &line);
    table.push_back(line);
    if (table.size() == kRunLines) WriteRun(run, &table, ++runs);
  }
  if (!table.empty()) WriteRun(run, &table, ++runs);
  run.files.close_file(input);
  if (runs == 0) return WriteEmptyOutput(run);

  int file_max = runs < kMaxMerge ? static_cast<int>(runs) : kMaxMerge;
  for (;;) {
    MergePass(run, file_max);
    CheckOrder(run);
    if (runs <= file_max) break;
    for (int n = 1; n <= file_max; ++n) {
      run.run_command("del /q " + RunFileName(n) + " > out_null.list");
    }
    for (long n = file_max + 1; n <= runs; ++n) {
      run.files.copy_file(RunFileName(n), RunFileName(n - file_max + 1));
    }
    run.files.copy_file(kMergeOutput, RunFileName(1));
    runs = runs - file_max + 1;
    if (runs < file_max) file_max = static_cast<int>(runs);
  }
  run.files.copy_file(kMergeOutput, run.sort.output);
}

long CountLines(Disk& disk, const std::string& path) {
  LineReader reader(disk.OpenRead(path));
  long count = 0;
  std::string line;
  while (reader.Next(&line)) ++count;
  return count;
}

// False when the reference would stop for want of file numbers: with none
// free it can open nothing and leaves the output alone; with fewer than the
// run files of a merge pass and its output it shows the error screen.
bool EnoughFileNumbers(Run& run, const std::string& input) {
  int free = run.files.free_file_count();
  if (free > kMaxMerge) return true;
  if (free == 0) return false;
  long runs = (CountLines(run.disk, input) + kRunLines - 1) / kRunLines;
  int file_max = runs < kMaxMerge ? static_cast<int>(runs) : kMaxMerge;
  if (runs > 0 && free <= file_max) NoFileNumberScreen(run, file_max, 0);
  return true;
}

// The same lines in the same order: runs sorted in O(n log n) and merged
// through a heap. Equal lines are identical, so their order cannot show.
void FastSort(Run& run) {
  std::string input, output;
  DirEntry entry;
  bool readable = ResolvePath(run.disk, run.sort.input, &input) &&
                  run.disk.Stat(input, &entry) && !entry.is_dir;
  if (!EnoughFileNumbers(run, readable ? input : "")) return;
  if (!readable || !ResolveForWriting(run.disk, run.sort.output, &output)) {
    return WriteEmptyOutput(run);
  }
  SortOptions options;
  options.order = LineOrder::kBytes;
  options.scratch_prefix = "file_s_";
  if (!SortLines(run.disk, input, output, options)) {
    run.print_line("sort error");
    end_run();
  }
}

}  // namespace

void sort_file(Run& run) {
  if (run.sort.input.empty()) end_run();
  if (run.strategy == Strategy::kReference) {
    ReferenceSort(run);
  } else {
    FastSort(run);
  }
}

}  // namespace quillon
