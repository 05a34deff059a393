#include "index/entry_counts.h"

#include <algorithm>
#include <vector>

#include "base/line_io.h"
#include "base/paths.h"
#include "base/text.h"
#include "run/work_files.h"

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

}  // namespace

bool ParseWordId(const std::string& text, uint32_t* number) {
  return text.size() == kIdLength && text.compare(0, 2, "id") == 0 &&
         read_id_digits(text, 2, number);
}

// A word id and a group number come from the run's own records, so nothing
// else reaches here; anything else keeps the count before it.
std::string EntryCounts::Count(const std::string& word_id, const std::string& group,
                               const std::string& previous) {
  uint32_t number;
  if (!all_digits(group) || !ParseWordId(word_id, &number)) return previous;
  const GroupFile& file = Scanned(group);
  if (!file.found) {
    run_.console.print_error_line("File not found - " + work_files::group_occurrences(group));
    return previous;
  }
  auto found = file.lines.find(number);
  return number_text(found == file.lines.end() ? 0 : found->second);
}

// Reads the group file the way `find` reads it: the same path lookup, the
// same line ends.
const EntryCounts::GroupFile& EntryCounts::Scanned(const std::string& group) {
  auto known = groups_.find(group);
  if (known != groups_.end()) return known->second;
  GroupFile& file = groups_[group];
  std::string path;
  DirEntry entry;
  file.found = resolve_path(run_.disk, work_files::group_occurrences(group), &path) &&
               run_.disk.stat(path, &entry) && !entry.is_dir;
  if (!file.found) return file;
  LineReader reader(run_.disk, path, &run_.failures);
  std::string line;
  std::vector<uint32_t> ids;
  while (reader.next(&line)) {
    collect_ids(line, &ids);
    for (uint32_t id : ids) ++file.lines[id];
  }
  return file;
}

}  // namespace quillon
