// find, findstr and sort: line filters and the line sorter.

#include <algorithm>
#include <memory>

#include "base/external_sort.h"
#include "base/line_io.h"
#include "base/paths.h"
#include "base/text.h"
#include "shell/command_layer.h"
#include "shell/commands.h"

namespace quillon {

namespace {

// Lines of a named file, or of the piped input when no file is named.
// A file that cannot be read to its end is noted as a failure, and reads as
// far as it could be read.
class LineSource {
 public:
  LineSource(CommandEnv& env, const std::string* path) : env_(env) {
    if (path) {
      name_ = *path;
      std::unique_ptr<InputFile> in = env.disk.open_read(*path);
      if (!in) env.Failed(DiskAction::kRead, name_, env.disk.last_error());
      reader_ = std::make_unique<LineReader>(std::move(in));
    } else if (env.input) {
      piped_ = SplitLines(*env.input);
    }
  }
  bool next(std::string* line) {
    if (reader_) {
      if (reader_->next(line)) return true;
      if (reader_->failed()) env_.Failed(DiskAction::kRead, name_, reader_->error());
      return false;
    }
    if (next_ >= piped_.size()) return false;
    *line = piped_[next_++];
    return true;
  }

 private:
  CommandEnv& env_;
  std::string name_;
  std::unique_ptr<LineReader> reader_;
  std::vector<std::string> piped_;
  size_t next_ = 0;
};

bool Contains(const std::string& line, const std::string& text, bool ignore_case) {
  if (ignore_case) return to_upper(line).find(to_upper(text)) != std::string::npos;
  return line.find(text) != std::string::npos;
}

// The file a filter reads, resolved; false (with the message) when missing.
bool OpenFilterInput(CommandEnv& env, const std::string& name, std::string* path) {
  DirEntry entry;
  return resolve_path(env.disk, name, path) && env.disk.stat(*path, &entry) && entry.is_file();
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t lf = text.find('\n', start);
    size_t end = lf == std::string::npos ? text.size() : lf;
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

void RunFind(CommandEnv& env, const std::vector<Word>& args) {
  std::vector<std::string> plain = PlainArguments(args);
  if (plain.empty()) {
    env.Error("FIND: Parameter format not correct");
    return;
  }
  bool count_only = HasSwitch(args, 'c');
  bool ignore_case = HasSwitch(args, 'i');
  const std::string& text = plain[0];
  std::string path;
  bool named = plain.size() > 1;
  if (named && !OpenFilterInput(env, plain[1], &path)) {
    env.Error("File not found - " + plain[1]);
    return;
  }
  std::string header = named ? "---------- " + to_upper(plain[1]) : "";
  if (named && !count_only) {
    env.out.line("");
    env.out.line(header);
  }
  LineSource source(env, named ? &path : nullptr);
  long count = 0;
  std::string line;
  while (source.next(&line)) {
    if (!Contains(line, text, ignore_case)) continue;
    ++count;
    if (!count_only) env.out.line(line);
  }
  if (count_only)
    env.out.line(named ? header + ": " + std::to_string(count) : std::to_string(count));
}

void RunFindstr(CommandEnv& env, const std::vector<Word>& args) {
  std::vector<std::string> plain = PlainArguments(args);
  if (plain.empty()) {
    env.Error("FINDSTR: Bad command line");
    return;
  }
  bool ignore_case = HasSwitch(args, 'i');
  std::string path;
  bool named = plain.size() > 1;
  if (named && !OpenFilterInput(env, plain[1], &path)) {
    env.Error("FINDSTR: Cannot open " + plain[1]);
    return;
  }
  LineSource source(env, named ? &path : nullptr);
  std::string line;
  while (source.next(&line)) {
    if (Contains(line, plain[0], ignore_case)) env.out.line(line);
  }
}

void RunSort(CommandEnv& env, const std::vector<Word>& args) {
  std::string input_name, output_name;
  for (size_t i = 0; i < args.size(); ++i) {
    if (IsSwitch(args[i], 'o') && i + 1 < args.size()) {
      output_name = args[++i].text;
    } else if (!IsSwitch(args[i], 'o') && input_name.empty()) {
      input_name = args[i].text;
    }
  }
  std::string input, output;
  if (input_name.empty() || !OpenFilterInput(env, input_name, &input)) {
    env.Error("The system cannot find the file specified.");
    return;
  }
  SortOptions options;
  options.order = LineOrder::kFolded;
  if (output_name.empty()) {
    std::string line;
    LineSource reader(env, &input);
    std::vector<std::string> lines;
    while (reader.next(&line)) lines.push_back(line);
    std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
      return compare_lines(LineOrder::kFolded, a, b) < 0;
    });
    for (const std::string& sorted : lines) env.out.line(sorted);
    return;
  }
  if (!resolve_for_writing(env.disk, output_name, &output)) {
    env.Error("The system cannot find the path specified.");
    return;
  }
  options.scratch_prefix = env.scratch.sort_prefix;
  options.scratch_suffix = env.scratch.sort_suffix;
  FailureLog failures;
  options.failures = &failures;
  if (sort_lines(env.disk, input, output, options)) return;
  for (const DiskFailure& failure : failures.first()) {
    env.Failed(failure.action, failure.path, failure.reason);
  }
  if (failures.empty()) return env.Error(WriteError(output_name, DiskError::kIo));
  const DiskFailure& first = failures.first().front();
  env.Error(first.action == DiskAction::kRead ? ReadError(first.path, first.reason)
                                              : WriteError(first.path, first.reason));
}

}  // namespace quillon
