// The answers the per-word files [word_id].txt give (every line of wrd_03.txt
// that holds the id), got in one pass over wrd_03.txt instead of one search
// of the whole file per word and one read of a word's file per occurrence.

#ifndef QUILLON_INDEX_WORD_FILE_INDEX_H_
#define QUILLON_INDEX_WORD_FILE_INDEX_H_

#include <string>
#include <unordered_map>
#include <vector>

#include "base/disk.h"
#include "base/failure_log.h"

namespace quillon {

class WordFileIndex {
 public:
  /// Reads wrd_03.txt (a disk path) once; `pages` are the run's page names.
  bool Build(Disk& disk, const std::string& path, const std::vector<std::string>& pages,
             FailureLog* failures);

  /// The page after `page` that the next-page search of the word's file
  /// finds, or "".
  std::string NextPage(const std::string& id, const std::string& page) const;

  /// Lines of the word's file read up to the end of the first run of lines
  /// that hold `page` (all lines when none holds it).
  long LinesThroughPage(const std::string& id, const std::string& page) const;

  /// Every 10-byte "id" + 8 digits the line holds, each once.
  static std::vector<std::string> IdsIn(const std::string& line);

 private:
  struct PageState {
    long lines_through = 0;
    bool run_over = false;
    int next_page = -1;
  };
  struct Word {
    long lines = 0;
    int last_page = -1;       ///< Page field of the last line.
    std::vector<int> in_run;  ///< Pages whose first run goes on.
    std::unordered_map<int, PageState> pages;
  };

  void AddLine(const std::string& id, int own_page, const std::vector<int>& holds);
  std::vector<int> PagesHeld(const std::string& line, int own_page) const;
  int PageIndex(const std::string& page) const;

  std::vector<std::string> pages_;
  std::unordered_map<std::string, int> page_index_;
  std::unordered_map<std::string, Word> words_;
};

}  // namespace quillon

#endif  // QUILLON_INDEX_WORD_FILE_INDEX_H_
