#include "base/external_sort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <queue>
#include <vector>

#include "base/line_io.h"

namespace quillon {

namespace {

unsigned char Folded(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

int CompareSpans(LineOrder order, const char* x, size_t nx, const char* y, size_t ny) {
  size_t common = std::min(nx, ny);
  if (order == LineOrder::kBytes) {
    int c = common == 0 ? 0 : std::memcmp(x, y, common);
    if (c != 0) return c < 0 ? -1 : 1;
  } else {
    size_t i = 0;
    while (i < common) {
      while (i + 8 <= common && std::memcmp(x + i, y + i, 8) == 0) i += 8;
      while (i < common && x[i] == y[i]) ++i;
      if (i == common) break;
      unsigned char p = Folded(static_cast<unsigned char>(x[i]));
      unsigned char q = Folded(static_cast<unsigned char>(y[i]));
      if (p != q) return p < q ? -1 : 1;
      ++i;
    }
  }
  if (nx == ny) return 0;
  return nx < ny ? -1 : 1;
}

// One sorted run held in memory: the bytes of all its lines in one block.
class SortedRun {
 public:
  // Reserved address space costs nothing until a page is touched; growing
  // by copies would touch every page twice.
  explicit SortedRun(size_t capacity) { bytes_.reserve(capacity); }
  void Add(const std::string& line) {
    starts_.push_back(bytes_.size());
    bytes_ += line;
  }
  size_t size() const { return starts_.size(); }
  size_t bytes() const { return bytes_.size() + starts_.size() * 16; }
  const char* data(size_t i) const { return bytes_.data() + starts_[i]; }
  size_t length(size_t i) const {
    return (i + 1 < starts_.size() ? starts_[i + 1] : bytes_.size()) - starts_[i];
  }
  void Clear() {
    bytes_.clear();
    starts_.clear();
  }
  /// The line numbers in sorted order, equal lines in input order.
  std::vector<uint32_t> Order(LineOrder order) const;

 private:
  struct Keyed {
    uint64_t key[2];
    uint32_t line;
  };
  void SortGroup(std::vector<Keyed>* keyed, size_t first, size_t last, size_t offset,
                 LineOrder order) const;
  // 16 bytes from `offset` on, folded where the order folds, big-endian so
  // that comparing the numbers compares the bytes; missing bytes count 0.
  void Key(size_t i, size_t offset, LineOrder order, uint64_t key[2]) const {
    const char* s = data(i);
    size_t n = length(i);
    for (int half = 0; half < 2; ++half) {
      uint64_t k = 0;
      for (size_t j = 0; j < 8; ++j) {
        size_t at = offset + static_cast<size_t>(half) * 8 + j;
        unsigned char c = at < n ? static_cast<unsigned char>(s[at]) : 0;
        if (order == LineOrder::kFolded) c = Folded(c);
        k = (k << 8) | c;
      }
      key[half] = k;
    }
  }

  std::string bytes_;
  std::vector<size_t> starts_;
};

// Sorts by 16-byte keys, then sorts every group of equal keys again by the
// next 16 bytes, so that lines are compared mostly as numbers held in one
// array and rarely touched themselves.
void SortedRun::SortGroup(std::vector<Keyed>* keyed, size_t first, size_t last, size_t offset,
                          LineOrder order) const {
  for (size_t i = first; i < last; ++i) Key((*keyed)[i].line, offset, order, (*keyed)[i].key);
  std::sort(keyed->begin() + static_cast<long>(first), keyed->begin() + static_cast<long>(last),
            [this](const Keyed& a, const Keyed& b) {
              if (a.key[0] != b.key[0]) return a.key[0] < b.key[0];
              if (a.key[1] != b.key[1]) return a.key[1] < b.key[1];
              size_t na = length(a.line), nb = length(b.line);
              return na != nb ? na < nb : a.line < b.line;
            });
  size_t next = offset + 16;
  for (size_t start = first; start < last;) {
    size_t end = start + 1;
    bool longer = length((*keyed)[start].line) > next;
    while (end < last && (*keyed)[end].key[0] == (*keyed)[start].key[0] &&
           (*keyed)[end].key[1] == (*keyed)[start].key[1]) {
      longer = longer || length((*keyed)[end].line) > next;
      ++end;
    }
    // Equal keys over lines no longer than the keys: length and input order
    // already decide.
    if (end - start > 1 && longer) SortGroup(keyed, start, end, next, order);
    start = end;
  }
}

std::vector<uint32_t> SortedRun::Order(LineOrder order) const {
  size_t common = size() == 0 ? 0 : length(0);
  for (size_t i = 1; i < size() && common > 0; ++i) {
    size_t n = std::min(common, length(i));
    size_t j = 0;
    while (j < n && data(0)[j] == data(i)[j]) ++j;
    common = j;
  }
  std::vector<Keyed> keyed(size());
  for (size_t i = 0; i < size(); ++i) keyed[i].line = static_cast<uint32_t>(i);
  SortGroup(&keyed, 0, keyed.size(), common, order);
  std::vector<uint32_t> lines(size());
  for (size_t i = 0; i < size(); ++i) lines[i] = keyed[i].line;
  return lines;
}

void Note(FailureLog* failures, DiskAction action, const std::string& path, DiskError reason) {
  if (failures) failures->note(action, path, reason);
}

// A file being written, with the reason noted wherever it fails.
class Output {
 public:
  Output(Disk& disk, const std::string& path, FailureLog* failures)
      : path_(path), failures_(failures), writer_(disk.open_write(path, false)) {
    opened_ = true;
    if (!writer_.has_file()) {
      opened_ = false;
      Note(failures_, DiskAction::kWrite, path_, disk.last_error());
    }
  }
  LineWriter& writer() { return writer_; }
  bool close() {
    if (writer_.close()) return true;
    if (opened_) Note(failures_, DiskAction::kWrite, path_, writer_.error());
    return false;
  }

 private:
  std::string path_;
  FailureLog* failures_;
  LineWriter writer_;
  bool opened_ = false;
};

bool WriteRun(Disk& disk, const std::string& path, const SortedRun& run, LineOrder order,
              FailureLog* failures) {
  Output out(disk, path, failures);
  for (uint32_t line : run.Order(order)) {
    out.writer().raw(run.data(line), run.length(line));
    out.writer().raw("\r\n", 2);
  }
  return out.close();
}

// Merges runs [first, last) of `names` into `target`; ties go to the earlier run.
bool MergeRuns(Disk& disk, const std::vector<std::string>& names, size_t first, size_t last,
               const std::string& target, LineOrder order, FailureLog* failures) {
  struct Head {
    std::string line;
    size_t run;
  };
  auto later = [order](const Head* a, const Head* b) {
    int c = compare_lines(order, a->line, b->line);
    return c != 0 ? c > 0 : a->run > b->run;
  };
  std::vector<std::unique_ptr<LineReader>> readers;
  std::vector<Head> heads(last - first);
  std::priority_queue<Head*, std::vector<Head*>, decltype(later)> queue(later);
  bool ok = true;
  for (size_t i = first; i < last; ++i) {
    std::unique_ptr<InputFile> in = disk.open_read(names[i]);
    if (!in) {
      Note(failures, DiskAction::kRead, names[i], disk.last_error());
      ok = false;
    }
    readers.push_back(std::make_unique<LineReader>(std::move(in)));
    Head& head = heads[i - first];
    head.run = i - first;
    if (readers.back()->next(&head.line)) queue.push(&head);
  }
  Output out(disk, target, failures);
  while (!queue.empty()) {
    Head* head = queue.top();
    queue.pop();
    out.writer().line(head->line);
    if (readers[head->run]->next(&head->line)) queue.push(head);
  }
  ok = out.close() && ok;
  for (size_t i = 0; i < readers.size(); ++i) {
    if (!readers[i]->failed()) continue;
    Note(failures, DiskAction::kRead, names[first + i], readers[i]->error());
    ok = false;
  }
  return ok;
}

}  // namespace

int compare_lines(LineOrder order, const std::string& a, const std::string& b) {
  return CompareSpans(order, a.data(), a.size(), b.data(), b.size());
}

bool sort_lines(Disk& disk, const std::string& input, const std::string& output,
                const SortOptions& options) {
  FailureLog* failures = options.failures;
  std::unique_ptr<InputFile> in = disk.open_read(input);
  if (!in) {
    Note(failures, DiskAction::kRead, input, disk.last_error());
    return false;
  }
  LineReader reader(std::move(in));
  std::vector<std::string> runs;
  SortedRun run(options.run_bytes + (1u << 20));
  bool ok = true;
  std::string line;
  bool more = reader.next(&line);
  while (more) {
    run.Add(line);
    more = reader.next(&line);
    if (run.bytes() >= options.run_bytes || (!more && !runs.empty())) {
      runs.push_back(options.scratch_prefix + std::to_string(runs.size() + 1) +
                     options.scratch_suffix);
      ok = WriteRun(disk, runs.back(), run, options.order, failures) && ok;
      run.Clear();
    }
  }
  if (reader.failed()) {
    Note(failures, DiskAction::kRead, input, reader.error());
    ok = false;
  }
  if (runs.empty()) return WriteRun(disk, output, run, options.order, failures) && ok;
  // Merge passes: each pass folds up to max_merge runs into one new run.
  size_t next_name = runs.size() + 1;
  size_t width = std::max<size_t>(2, options.max_merge);
  while (runs.size() > width) {
    std::vector<std::string> merged;
    for (size_t first = 0; first < runs.size(); first += width) {
      size_t last = std::min(runs.size(), first + width);
      std::string target =
          options.scratch_prefix + std::to_string(next_name++) + options.scratch_suffix;
      ok = MergeRuns(disk, runs, first, last, target, options.order, failures) && ok;
      for (size_t i = first; i < last; ++i) disk.remove_file(runs[i]);
      merged.push_back(target);
    }
    runs = merged;
  }
  ok = MergeRuns(disk, runs, 0, runs.size(), output, options.order, failures) && ok;
  for (const std::string& run_name : runs) disk.remove_file(run_name);
  return ok;
}

}  // namespace quillon
