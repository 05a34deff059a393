// The counts of the index of all words: how many lines of a group's
// occurrence file wrd_11_[t].txt contain a word id, as `find /c` tells them,
// from one pass over each group file instead of one command per entry.

#ifndef QUILLON_INDEX_ENTRY_COUNTS_H_
#define QUILLON_INDEX_ENTRY_COUNTS_H_

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

#include "run/run.h"

namespace quillon {

class EntryCounts {
 public:
  explicit EntryCounts(Run& run) : run_(run) {}

  /// The count text of the entry (`word_id`, group text `group`); `previous`
  /// when the count cannot be read, as when the group file is missing.
  std::string Count(const std::string& word_id, const std::string& group,
                    const std::string& previous);

 private:
  // What one pass over a group file found: every id-like text ("id" and 8
  // digits, keyed by its number) and in how many lines it stands.
  struct GroupFile {
    bool found = false;
    std::unordered_map<uint32_t, long> lines;
  };

  const GroupFile& Scanned(const std::string& group);

  Run& run_;
  std::map<std::string, GroupFile> groups_;
};

/// True for "id" followed by exactly 8 digits; `*number` receives their value.
bool ParseWordId(const std::string& text, uint32_t* number);

}  // namespace quillon

#endif  // QUILLON_INDEX_ENTRY_COUNTS_H_
