// Two texts lined up the way a side-by-side view shows them: equal lines in
// one row, and in between the lines of one text that the other lacks. The
// difference is a shortest edit script of the kind diff finds (Myers'
// algorithm in linear space, with a cost limit for texts that have little in
// common), run on line numbers so that lines are compared once.

#ifndef QUILLON_COMPARE_LINE_ALIGNMENT_H_
#define QUILLON_COMPARE_LINE_ALIGNMENT_H_

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillon {

/// Marks the elements of `a` and `b` (equal numbers standing for equal
/// elements, every number below `symbols`) that are not in a long common
/// subsequence: 1 in `a_changed` and `b_changed`, which take their sizes.
/// The subsequence is a longest one unless the two differ by more edits
/// than the cost limit allows between two matches, where the search stops
/// at the furthest point it reached, as diff does.
void mark_differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b,
                      uint32_t symbols, std::vector<char>* a_changed, std::vector<char>* b_changed);

enum class RowKind { kEqual, kChanged, kRemoved, kAdded };

/// One row: a line of the left text, of the right one, or of both (numbered
/// from 0; -1 where the row has none).
struct AlignedRow {
  RowKind kind;
  long left;
  long right;
};

/// The rows of two texts from their marks: unmarked lines pair up in order
/// as equal rows; between two of them, of k removed and m added lines the
/// first min(k, m) pair up as changed rows, the rest stand alone.
std::vector<AlignedRow> align_rows(const std::vector<char>& left_changed,
                                   const std::vector<char>& right_changed);

/// The rows of two texts given line by line.
std::vector<AlignedRow> align_lines(const std::vector<std::string_view>& left,
                                    const std::vector<std::string_view>& right);

/// Bytes [begin, end) of a line.
struct Span {
  size_t begin;
  size_t end;
};

/// What changed within a pair of lines: the stretches of words, blanks and
/// signs of each that the other lacks, in order. A blank between two
/// changed words joins them, so that a changed phrase is one mark.
struct WordMarks {
  std::vector<Span> left;
  std::vector<Span> right;
};
WordMarks mark_changed_words(std::string_view left, std::string_view right);

}  // namespace quillon

#endif  // QUILLON_COMPARE_LINE_ALIGNMENT_H_
