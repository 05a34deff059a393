#include "index/entry_counts.h"

#include <algorithm>
#include <vector>

#include "base/command_line.h"
#include "base/line_io.h"
#include "base/paths.h"
#include "base/text.h"

namespace quillon {

namespace {

const size_t kIdLength = 10;  // "id" and 8 digits.

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

bool all_digits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), is_digit);
}

// The 8 digits at `at` as a number; false when any of them is no digit.
bool read_id_digits(const std::string& text, size_t at, uint32_t* number) {
  if (at + kIdLength - 2 > text.size()) return false;
  uint32_t value = 0;
  for (size_t i = at; i < at + kIdLength - 2; ++i) {
    if (!is_digit(text[i])) return false;
    value = value * 10 + static_cast<uint32_t>(text[i] - '0');
  }
  *number = value;
  return true;
}

// Every distinct id-like text of the line, wherever it stands: inside a word
// ("xid00000007y") it counts as much as in the word id field. Two of them
// cannot overlap, since a digit is never the "i" of another.
void collect_ids(const std::string& line, std::vector<uint32_t>* ids) {
  ids->clear();
  for (size_t at = line.find("id"); at != std::string::npos; at = line.find("id", at + 1)) {
    uint32_t number;
    if (!read_id_digits(line, at + 2, &number)) continue;
    if (std::find(ids->begin(), ids->end(), number) == ids->end()) ids->push_back(number);
  }
}

std::string group_file_name(const std::string& group) {
  return "wrd_11_" + group + ".txt";
}

std::string count_file_name(const std::string& group) {
  return "wrd_11_" + group + "_count.txt";
}

std::string count_command(const std::string& word_id, const std::string& group) {
  return "find /c \"" + word_id + "\" " + group_file_name(group) + " > " + count_file_name(group);
}

// True when the command line can write nothing but the count file and new
// files of the working folder. Texts from a damaged record could otherwise
// turn into a redirection that empties a user's file.
bool writes_only_scratch(Disk& disk, const std::string& line, const std::string& count_file) {
  CommandLine parsed = ParseCommandLine(line);
  if (!parsed.ok || parsed.stages.size() != 1) return false;
  for (const Redirection& redirection : parsed.stages[0].redirections) {
    if (redirection.target == count_file) continue;
    if (SplitProgramPath(redirection.target).size() != 1) return false;
    std::string path;
    DirEntry entry;
    if (!ResolvePath(disk, redirection.target, &path) || disk.Stat(path, &entry)) return false;
  }
  return true;
}

}  // namespace

bool ParseWordId(const std::string& text, uint32_t* number) {
  return text.size() == kIdLength && text.compare(0, 2, "id") == 0 &&
         read_id_digits(text, 2, number);
}

std::string EntryCounts::Count(const std::string& word_id, const std::string& group,
                               const std::string& previous) {
  uint32_t number;
  // Anything but a plain word id and group number is left to the command
  // itself, so that its quoting and its messages stay exactly the command's.
  if (run_.strategy == Strategy::kReference) return CountByCommand(word_id, group, previous);
  if (!all_digits(group) || !ParseWordId(word_id, &number)) {
    return CountOddEntry(word_id, group, previous);
  }
  skipped_[group] = word_id;
  const GroupFile& file = Scanned(group);
  if (!file.found) {
    run_.console.print_error_line("File not found - " + group_file_name(group));
    return previous;
  }
  auto found = file.lines.find(number);
  return number_text(found == file.lines.end() ? 0 : found->second);
}

std::string EntryCounts::CountOddEntry(const std::string& word_id, const std::string& group,
                                       const std::string& previous) {
  if (!writes_only_scratch(run_.disk, count_command(word_id, group), count_file_name(group))) {
    return previous;
  }
  WriteSkippedCountFiles();
  std::string count = CountByCommand(word_id, group, previous);
  // The command may have made a file that a later entry counts in.
  groups_.clear();
  return count;
}

void EntryCounts::WriteSkippedCountFiles() {
  for (const auto& skipped : skipped_) {
    const std::string& group = skipped.first;
    if (Scanned(group).found) {
      run_.run_command(count_command(skipped.second, group));
    } else {
      // The command would only have emptied its output file, and said again
      // that the group file is missing.
      int out = run_.files.free_file_number();
      run_.files.open_output(count_file_name(group), out);
      run_.files.close_file(out);
    }
  }
  skipped_.clear();
}

std::string EntryCounts::CountByCommand(const std::string& word_id, const std::string& group,
                                        const std::string& previous) {
  run_.run_command(count_command(word_id, group));
  FileTable& files = run_.files;
  int in = files.free_file_number();
  files.open_input(count_file_name(group), in);
  std::string count = previous;
  while (!files.end_of_file(in)) {
    std::string line;
    files.read_line(in, &line);
    long colon = find_text(1, line, ":");
    if (colon > 0) {
      count = trim_blanks(substring(line, colon + 1, -1));
      break;
    }
  }
  files.close_file(in);
  return count;
}

// Reads the group file the way `find` reads it: the same path lookup, the
// same line ends.
const EntryCounts::GroupFile& EntryCounts::Scanned(const std::string& group) {
  auto known = groups_.find(group);
  if (known != groups_.end()) return known->second;
  GroupFile& file = groups_[group];
  std::string path;
  DirEntry entry;
  file.found = ResolvePath(run_.disk, group_file_name(group), &path) &&
               run_.disk.Stat(path, &entry) && !entry.is_dir;
  if (!file.found) return file;
  LineReader reader(run_.disk.OpenRead(path));
  std::string line;
  std::vector<uint32_t> ids;
  while (reader.Next(&line)) {
    collect_ids(line, &ids);
    for (uint32_t id : ids) ++file.lines[id];
  }
  return file;
}

}  // namespace quillon
