#include "compare/line_alignment.h"

#include <algorithm>
#include <climits>
#include <string_view>
#include <unordered_map>

namespace quillon {

namespace {

// Below this many edits between two matches the script is always a shortest
// one; above it the search costs at most about the limit squared per split.
const long kMinCostLimit = 256;

// About the square root of the lengths, as diff takes it: texts that have
// much in common are never cut short, two unrelated ones stay fast.
long CostLimit(long n, long m) {
  long limit = 1;
  for (long diagonals = n + m + 3; diagonals != 0; diagonals >>= 2) limit <<= 1;
  return std::max(limit, kMinCostLimit);
}

// The divide-and-conquer search of Myers' "An O(ND) difference algorithm"
// (section 4b): the middle of a shortest edit path, found from both ends at
// once, splits a range in two. `a` and `b` hold only elements that occur in
// both texts; the others were marked before.
class Differ {
 public:
  Differ(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, char* a_changed,
         char* b_changed, std::vector<long>* forward, std::vector<long>* backward)
      : a_(a.data()),
        b_(b.data()),
        a_changed_(a_changed),
        b_changed_(b_changed),
        offset_(static_cast<long>(b.size()) + 1),
        forward_(*forward),
        backward_(*backward),
        limit_(CostLimit(static_cast<long>(a.size()), static_cast<long>(b.size()))) {
    forward_.resize(a.size() + b.size() + 3);
    backward_.resize(a.size() + b.size() + 3);
  }

  void Compare(long xlim, long ylim) {
    // A stack instead of recursion: a split far from the middle, which the
    // cost limit makes, leaves a long chain of ranges.
    std::vector<Range> ranges = {{0, xlim, 0, ylim}};
    while (!ranges.empty()) {
      Range r = ranges.back();
      ranges.pop_back();
      while (r.xoff < r.xlim && r.yoff < r.ylim && a_[r.xoff] == b_[r.yoff]) ++r.xoff, ++r.yoff;
      while (r.xoff < r.xlim && r.yoff < r.ylim && a_[r.xlim - 1] == b_[r.ylim - 1])
        --r.xlim, --r.ylim;
      if (r.xoff == r.xlim || r.yoff == r.ylim) {
        Mark(r);
        continue;
      }
      Point mid = Middle(r);
      bool corner = (mid.x == r.xoff && mid.y == r.yoff) || (mid.x == r.xlim && mid.y == r.ylim);
      if (corner) {  // Never expected; marking all keeps the loop finite.
        Mark(r);
        continue;
      }
      ranges.push_back({mid.x, r.xlim, mid.y, r.ylim});
      ranges.push_back({r.xoff, mid.x, r.yoff, mid.y});
    }
  }

 private:
  struct Range {
    long xoff, xlim, yoff, ylim;
  };
  struct Point {
    long x, y;
  };

  void Mark(const Range& r) {
    std::fill(a_changed_ + r.xoff, a_changed_ + r.xlim, 1);
    std::fill(b_changed_ + r.yoff, b_changed_ + r.ylim, 1);
  }

  // Diagonal k holds the points with x - y = k; fd and bd keep the furthest
  // x reached on each, forward from the top left and backward from the
  // bottom right, with a sentinel beyond either end of the band searched.
  Point Middle(const Range& r) {
    long* fd = forward_.data() + offset_;
    long* bd = backward_.data() + offset_;
    const long dmin = r.xoff - r.ylim, dmax = r.xlim - r.yoff;
    const long fmid = r.xoff - r.yoff, bmid = r.xlim - r.ylim;
    long fmin = fmid, fmax = fmid, bmin = bmid, bmax = bmid;
    const bool odd = ((fmid - bmid) & 1) != 0;
    fd[fmid] = r.xoff;
    bd[bmid] = r.xlim;
    for (long cost = 1;; ++cost) {
      if (fmin > dmin) {
        fd[--fmin - 1] = -1;
      } else {
        ++fmin;
      }
      if (fmax < dmax) {
        fd[++fmax + 1] = -1;
      } else {
        --fmax;
      }
      for (long d = fmax; d >= fmin; d -= 2) {
        long lo = fd[d - 1], hi = fd[d + 1];
        long x = lo >= hi ? lo + 1 : hi;
        long y = x - d;
        while (x < r.xlim && y < r.ylim && a_[x] == b_[y]) ++x, ++y;
        fd[d] = x;
        if (odd && bmin <= d && d <= bmax && bd[d] <= x) return {x, y};
      }
      if (bmin > dmin) {
        bd[--bmin - 1] = LONG_MAX;
      } else {
        ++bmin;
      }
      if (bmax < dmax) {
        bd[++bmax + 1] = LONG_MAX;
      } else {
        --bmax;
      }
      for (long d = bmax; d >= bmin; d -= 2) {
        long lo = bd[d - 1], hi = bd[d + 1];
        long x = lo < hi ? lo : hi - 1;
        long y = x - d;
        while (x > r.xoff && y > r.yoff && a_[x - 1] == b_[y - 1]) --x, --y;
        bd[d] = x;
        if (!odd && fmin <= d && d <= fmax && x <= fd[d]) return {x, y};
      }
      if (cost >= limit_) return Furthest(r, fmin, fmax, bmin, bmax);
    }
  }

  // Too costly: split where one of the two searches got furthest.
  Point Furthest(const Range& r, long fmin, long fmax, long bmin, long bmax) {
    const long* fd = forward_.data() + offset_;
    const long* bd = backward_.data() + offset_;
    long fxy = -1, fx = 0;
    for (long d = fmax; d >= fmin; d -= 2) {
      long x = std::min(fd[d], r.xlim), y = x - d;
      if (y > r.ylim) x = r.ylim + d, y = r.ylim;
      if (x + y > fxy) fxy = x + y, fx = x;
    }
    long bxy = LONG_MAX, bx = 0;
    for (long d = bmax; d >= bmin; d -= 2) {
      long x = std::max(r.xoff, bd[d]), y = x - d;
      if (y < r.yoff) x = r.yoff + d, y = r.yoff;
      if (x + y < bxy) bxy = x + y, bx = x;
    }
    if ((r.xlim + r.ylim) - bxy < fxy - (r.xoff + r.yoff)) return {fx, fxy - fx};
    return {bx, bxy - bx};
  }

  const uint32_t* a_;
  const uint32_t* b_;
  char* a_changed_;
  char* b_changed_;
  long offset_;
  std::vector<long>& forward_;
  std::vector<long>& backward_;
  long limit_;
};

// The elements of `sequence` whose number occurs in the other sequence, and
// where they stand; the others are marked changed.
void KeepShared(const std::vector<uint32_t>& sequence, const std::vector<long>& other_counts,
                std::vector<char>* changed, std::vector<uint32_t>* kept,
                std::vector<size_t>* place) {
  kept->clear();
  place->clear();
  for (size_t i = 0; i < sequence.size(); ++i) {
    if (other_counts[sequence[i]] == 0) {
      (*changed)[i] = 1;
    } else {
      kept->push_back(sequence[i]);
      place->push_back(i);
    }
  }
}

// Where equal elements make a change ambiguous ("a b" + " c" or "a" + " b"
// + " c"...), each run of changes moves as far down as it can, over the
// element equal to its first, as diff does: an inserted paragraph then
// takes the blank line after it, and a changed phrase starts at a word.
void SlideDown(const std::vector<uint32_t>& sequence, std::vector<char>* changed) {
  std::vector<char>& c = *changed;
  const size_t n = sequence.size();
  for (size_t start = 0; start < n;) {
    if (!c[start]) {
      ++start;
      continue;
    }
    size_t end = start;
    while (end < n && c[end]) ++end;
    while (end < n && sequence[start] == sequence[end]) {
      c[start++] = 0;
      c[end++] = 1;
      while (end < n && c[end]) ++end;
    }
    start = end;
  }
}

uint32_t Intern(std::unordered_map<std::string_view, uint32_t>* ids, std::string_view token) {
  return ids->emplace(token, static_cast<uint32_t>(ids->size())).first->second;
}

enum ByteKind : unsigned char { kSign, kWord, kBlank };

struct ByteKinds {
  ByteKinds() {
    for (int c = 0; c < 256; ++c) {
      bool word =
          c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
      kinds[c] = word ? kWord : c == ' ' || c == '\t' ? kBlank : kSign;
    }
  }
  ByteKind operator[](char c) const { return kinds[static_cast<unsigned char>(c)]; }
  ByteKind kinds[256];
};

const ByteKinds kByteKinds;

bool IsBlank(char c) {
  return kByteKinds[c] == kBlank;
}

// Words (letters, digits and every byte of a UTF-8 sequence), runs of
// blanks, and each other sign alone.
void Tokens(std::string_view line, std::vector<Span>* spans) {
  std::vector<Span>& tokens = *spans;
  tokens.clear();
  for (size_t i = 0; i < line.size();) {
    ByteKind kind = kByteKinds[line[i]];
    size_t end = i + 1;
    if (kind != kSign) {
      while (end < line.size() && kByteKinds[line[end]] == kind) ++end;
    }
    tokens.push_back({i, end});
    i = end;
  }
}

// Runs of changed tokens, joined over a single blank between them; a blank
// at either end of a run stays unmarked, unless the run is blanks alone.
void ChangedSpans(std::string_view line, const std::vector<Span>& tokens,
                  const std::vector<char>& changed, std::vector<Span>* marked) {
  std::vector<Span>& spans = *marked;
  spans.clear();
  auto blank = [&](size_t t) { return IsBlank(line[tokens[t].begin]); };
  for (size_t t = 0; t < tokens.size();) {
    if (!changed[t]) {
      ++t;
      continue;
    }
    size_t first = t, last = t;
    for (++t; t < tokens.size(); ++t) {
      if (changed[t]) {
        last = t;
      } else if (!(blank(t) && t + 1 < tokens.size() && changed[t + 1])) {
        break;
      }
    }
    size_t from = first, to = last;
    while (from < to && blank(from)) ++from;
    while (to > from && blank(to)) --to;
    if (blank(from)) from = first, to = last;
    spans.push_back({tokens[from].begin, tokens[to].end});
  }
}

uint32_t Hash(const char* data, size_t size) {
  uint32_t hash = 2166136261u;  // FNV-1a
  for (size_t i = 0; i < size; ++i) hash = (hash ^ static_cast<unsigned char>(data[i])) * 16777619u;
  return hash;
}

}  // namespace

void SequenceDiff::mark(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b,
                        uint32_t symbols) {
  a_changed.assign(a.size(), 0);
  b_changed.assign(b.size(), 0);
  // An element that the other text lacks is in no common subsequence: it is
  // marked at once, and the search runs on the rest. Two texts with nothing
  // in common cost no search at all.
  a_counts_.assign(symbols, 0);
  b_counts_.assign(symbols, 0);
  for (uint32_t s : a) ++a_counts_[s];
  for (uint32_t s : b) ++b_counts_[s];
  KeepShared(a, b_counts_, &a_changed, &x_, &x_place_);
  KeepShared(b, a_counts_, &b_changed, &y_, &y_place_);
  x_changed_.assign(x_.size(), 0);
  y_changed_.assign(y_.size(), 0);
  Differ(x_, y_, x_changed_.data(), y_changed_.data(), &forward_, &backward_)
      .Compare(static_cast<long>(x_.size()), static_cast<long>(y_.size()));
  for (size_t i = 0; i < x_.size(); ++i) a_changed[x_place_[i]] = x_changed_[i];
  for (size_t i = 0; i < y_.size(); ++i) b_changed[y_place_[i]] = y_changed_[i];
  SlideDown(a, &a_changed);
  SlideDown(b, &b_changed);
}

std::vector<AlignedRow> align_rows(const std::vector<char>& left_changed,
                                   const std::vector<char>& right_changed) {
  const long n = static_cast<long>(left_changed.size()),
             m = static_cast<long>(right_changed.size());
  std::vector<AlignedRow> rows;
  rows.reserve(static_cast<size_t>(std::max(n, m)));
  long i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && !left_changed[i] && !right_changed[j]) {
      rows.push_back({RowKind::kEqual, i++, j++});
      continue;
    }
    long removed = i, added = j;
    while (i < n && left_changed[i]) ++i;
    while (j < m && right_changed[j]) ++j;
    // Unmarked lines are as many on both sides, so a side that has run out
    // ends the other too; should it not, the rest is taken as changed.
    if (i == removed && j == added) i = n, j = m;
    long pairs = std::min(i - removed, j - added);
    for (long k = 0; k < pairs; ++k) rows.push_back({RowKind::kChanged, removed + k, added + k});
    for (long k = removed + pairs; k < i; ++k) rows.push_back({RowKind::kRemoved, k, -1});
    for (long k = added + pairs; k < j; ++k) rows.push_back({RowKind::kAdded, -1, k});
  }
  return rows;
}

std::vector<AlignedRow> align_lines(const std::vector<std::string_view>& left,
                                    const std::vector<std::string_view>& right) {
  std::unordered_map<std::string_view, uint32_t> ids;
  ids.reserve(left.size() + right.size());
  std::vector<uint32_t> a, b;
  a.reserve(left.size());
  b.reserve(right.size());
  for (std::string_view line : left) a.push_back(Intern(&ids, line));
  for (std::string_view line : right) b.push_back(Intern(&ids, line));
  SequenceDiff diff;
  diff.mark(a, b, static_cast<uint32_t>(ids.size()));
  return align_rows(diff.a_changed, diff.b_changed);
}

// Equal tokens get equal numbers through a hash table of open addressing
// that is cleared, not freed, from pair to pair.
void WordMarker::Number(std::string_view line, const std::vector<Span>& tokens,
                        std::vector<uint32_t>* ids) {
  const size_t mask = slots_.size() - 1;
  ids->clear();
  for (const Span& t : tokens) {
    const char* data = line.data() + t.begin;
    const uint32_t size = static_cast<uint32_t>(t.end - t.begin);
    const uint32_t hash = Hash(data, size);
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
      uint32_t taken = slots_[slot];
      if (taken == 0) {
        entries_.push_back({data, size, hash});
        slots_[slot] = static_cast<uint32_t>(entries_.size());
        ids->push_back(static_cast<uint32_t>(entries_.size() - 1));
        break;
      }
      const Entry& e = entries_[taken - 1];
      if (e.hash == hash && e.size == size && std::equal(data, data + size, e.data)) {
        ids->push_back(taken - 1);
        break;
      }
    }
  }
}

const WordMarks& WordMarker::MarkWhole(std::string_view left, std::string_view right) {
  marks_.left.assign(left.empty() ? 0 : 1, Span{0, left.size()});
  marks_.right.assign(right.empty() ? 0 : 1, Span{0, right.size()});
  return marks_;
}

// The words the two lines could share at best (as many of each as both hold,
// blanks not counted), each counting on both sides: less than half of all
// their words is too few.
bool WordMarker::LittleInCommon(std::string_view left) {
  counts_.assign(entries_.size(), 0);
  long words = 0, shared = 0;
  for (size_t t = 0; t < left_ids_.size(); ++t) {
    if (IsBlank(left[left_tokens_[t].begin])) continue;
    ++counts_[left_ids_[t]];
    ++words;
  }
  for (uint32_t id : right_ids_) {
    if (IsBlank(*entries_[id].data)) continue;
    ++words;
    if (counts_[id] > 0) --counts_[id], ++shared;
  }
  return 4 * shared < words;
}

const WordMarks& WordMarker::mark(std::string_view left, std::string_view right) {
  // Beyond this, the tables of words would cost many times the bytes of the
  // lines, for marks nobody reads in a line of a megabyte.
  const size_t kMarkedBytesAtMost = 1 << 20;
  if (left.size() + right.size() > kMarkedBytesAtMost) return MarkWhole(left, right);
  Tokens(left, &left_tokens_);
  Tokens(right, &right_tokens_);
  size_t slots = 16;
  while (slots < 2 * (left_tokens_.size() + right_tokens_.size())) slots <<= 1;
  slots_.assign(slots, 0);
  entries_.clear();
  Number(left, left_tokens_, &left_ids_);
  Number(right, right_tokens_, &right_ids_);
  if (LittleInCommon(left)) return MarkWhole(left, right);
  diff_.mark(left_ids_, right_ids_, static_cast<uint32_t>(entries_.size()));
  ChangedSpans(left, left_tokens_, diff_.a_changed, &marks_.left);
  ChangedSpans(right, right_tokens_, diff_.b_changed, &marks_.right);
  return marks_;
}

}  // namespace quillon
