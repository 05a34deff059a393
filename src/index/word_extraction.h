// Cutting the lines of every page into words: runs of bytes between blanks
// and tags, three bytes or longer, recorded with page, line and position.

#ifndef QUILLON_INDEX_WORD_EXTRACTION_H_
#define QUILLON_INDEX_WORD_EXTRACTION_H_

#include <string>
#include <vector>

#include "index/word_table.h"
#include "run/run.h"

namespace quillon {

/// One word taken from a line: its 1-based start and the scan position at
/// which it was taken.
struct TakenWord {
  std::string word;
  long start = 0;
  long scan_position = 0;
};

/// What a page's lines carry over to the next line.
struct ScanState {
  bool script_open = false, script_closed = false;
  bool style_open = false, style_closed = false;
  bool title_open = false, title_closed = false;
  bool tag_open = false;  ///< A line ended inside a tag; survives from page to page.

  // Room reused from line to line, so that a line costs no allocation. It
  // lives here rather than in thread_local objects: the Windows runtime can
  // free those before their destructors run when a worker thread ends.
  struct Span {
    long start;
    long end;
  };
  std::string lower;
  std::vector<Span> spans;
};

/// The start position travels in a six-character field, and the later sorts
/// order the records by its text. A word starting further on would sort among
/// the words before it and the rewritten page would repeat the rest of the
/// line for each of them, so it stays unindexed text.
inline const long kLastIndexedStart = 999999;

/// Cuts one page line; false when a filter skips it (no listing, no words).
bool extract_line_words(const std::string& line, ScanState* state, std::vector<TakenWord>* words);

/// The words of every page_*.htm, in page, line and scan order, taken on
/// the threads `jobs` asks for (RunOptions::jobs) with the same result for
/// any number.
WordTable extract_words(Run& run, int jobs);

}  // namespace quillon

#endif  // QUILLON_INDEX_WORD_EXTRACTION_H_
