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

/// Marks the elements of two sequences that are not in a long common
/// subsequence. Its buffers stay from one call to the next, so that the
/// many short sequences of the words of changed lines cost no allocation.
class SequenceDiff {
 public:
  /// `a` and `b` hold numbers below `symbols`, equal for equal elements.
  /// The subsequence is a longest one unless the two differ by more edits
  /// than the cost limit allows between two matches, where the search stops
  /// at the furthest point it reached, as diff does.
  void mark(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, uint32_t symbols);

  /// 1 for each element of `a`, of `b`, outside the subsequence.
  std::vector<char> a_changed;
  std::vector<char> b_changed;

 private:
  std::vector<long> a_counts_, b_counts_, forward_, backward_;
  std::vector<uint32_t> x_, y_;
  std::vector<size_t> x_place_, y_place_;
  std::vector<char> x_changed_, y_changed_;
};

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
/// changed words joins them, so that a changed phrase is one mark; blanks
/// at its ends are left out, unless only blanks changed.
struct WordMarks {
  std::vector<Span> left;
  std::vector<Span> right;
};

/// Marks pair after pair, keeping its buffers. Two lines that have less
/// than half of their words in common are marked whole: marks on nearly
/// every word would only scatter the few small words they share. So are
/// lines of more than a megabyte together.
class WordMarker {
 public:
  /// Valid until the next call.
  const WordMarks& mark(std::string_view left, std::string_view right);

 private:
  struct Entry {
    const char* data;
    uint32_t size;
    uint32_t hash;
  };
  void Number(std::string_view line, const std::vector<Span>& tokens, std::vector<uint32_t>* ids);
  bool LittleInCommon(std::string_view left);
  const WordMarks& MarkWhole(std::string_view left, std::string_view right);

  std::vector<Span> left_tokens_, right_tokens_;
  std::vector<uint32_t> left_ids_, right_ids_;
  std::vector<uint32_t> slots_;  // Open addressing: an entry's index + 1, or 0.
  std::vector<Entry> entries_;
  std::vector<uint32_t> counts_;
  SequenceDiff diff_;
  WordMarks marks_;
};

}  // namespace quillon

#endif  // QUILLON_COMPARE_LINE_ALIGNMENT_H_
