#include "base/line_sort.h"

#include <algorithm>
#include <memory>
#include <queue>
#include <vector>

#include "base/line_io.h"

namespace quillon {

namespace {

bool WriteLines(Disk& disk, const std::string& path, const std::vector<std::string>& lines) {
  LineWriter out(disk.OpenWrite(path, false));
  for (const std::string& line : lines) out.Line(line);
  return out.Close();
}

// Merges runs [first, last) of `names` into `target`; ties go to the earlier run.
bool MergeRuns(Disk& disk, const std::vector<std::string>& names, size_t first, size_t last,
               const std::string& target, LineOrder order) {
  struct Head {
    std::string line;
    size_t run;
  };
  auto later = [order](const Head* a, const Head* b) {
    int c = order(a->line, b->line);
    return c != 0 ? c > 0 : a->run > b->run;
  };
  std::vector<std::unique_ptr<LineReader>> readers;
  std::vector<Head> heads(last - first);
  std::priority_queue<Head*, std::vector<Head*>, decltype(later)> queue(later);
  for (size_t i = first; i < last; ++i) {
    readers.push_back(std::make_unique<LineReader>(disk.OpenRead(names[i])));
    Head& head = heads[i - first];
    head.run = i - first;
    if (readers.back()->Next(&head.line)) queue.push(&head);
  }
  LineWriter out(disk.OpenWrite(target, false));
  while (!queue.empty()) {
    Head* head = queue.top();
    queue.pop();
    out.Line(head->line);
    if (readers[head->run]->Next(&head->line)) queue.push(head);
  }
  bool ok = out.Close();
  for (const auto& reader : readers) ok = ok && !reader->failed();
  return ok;
}

}  // namespace

int FoldedOrder(const std::string& a, const std::string& b) {
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SortLines(Disk& disk, const std::string& input, const std::string& output,
               const SortOptions& options) {
  std::unique_ptr<InputFile> in = disk.OpenRead(input);
  if (!in) return false;
  LineReader reader(std::move(in));
  LineOrder order = options.order;
  auto less = [order](const std::string& a, const std::string& b) { return order(a, b) < 0; };

  std::vector<std::string> runs;
  std::vector<std::string> lines;
  size_t bytes = 0;
  bool ok = true;
  std::string line;
  bool more = reader.Next(&line);
  while (more) {
    bytes += line.size() + sizeof(std::string);
    lines.push_back(std::move(line));
    more = reader.Next(&line);
    if (bytes >= options.run_bytes || (!more && !runs.empty())) {
      std::stable_sort(lines.begin(), lines.end(), less);
      runs.push_back(options.scratch_prefix + std::to_string(runs.size() + 1) + ".tmp");
      ok = WriteLines(disk, runs.back(), lines) && ok;
      lines.clear();
      bytes = 0;
    }
  }
  if (reader.failed()) ok = false;
  if (runs.empty()) {
    std::stable_sort(lines.begin(), lines.end(), less);
    return WriteLines(disk, output, lines) && ok;
  }
  // Merge passes: each pass folds up to max_merge runs into one new run.
  size_t next_name = runs.size() + 1;
  size_t width = std::max<size_t>(2, options.max_merge);
  while (runs.size() > width) {
    std::vector<std::string> merged;
    for (size_t first = 0; first < runs.size(); first += width) {
      size_t last = std::min(runs.size(), first + width);
      std::string target = options.scratch_prefix + std::to_string(next_name++) + ".tmp";
      ok = MergeRuns(disk, runs, first, last, target, order) && ok;
      for (size_t i = first; i < last; ++i) disk.RemoveFile(runs[i]);
      merged.push_back(target);
    }
    runs = merged;
  }
  ok = MergeRuns(disk, runs, 0, runs.size(), output, order) && ok;
  for (const std::string& run : runs) disk.RemoveFile(run);
  return ok;
}

}  // namespace quillon
