#include "index/occurrence_lists.h"

#include <algorithm>
#include <map>

#include "base/paths.h"
#include "base/text.h"
#include "index/page_parts.h"
#include "index/record_io.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

// Files a pass keeps open per group, and groups per pass.
const int kGroupsPerPass = 100;

std::string GroupField(int group) {
  std::string digits = number_text(group);
  return blank_text(5 - text_length(digits)) + digits;
}

// One pass over the occurrences for up to kGroupsPerPass groups. The
// straightforward procedure reads the rank-sorted records once per page and
// writes a file per page that nothing reads; the group files are sorted
// afterwards and no two records compare equal, so the order in which
// records reach them cannot show, and the unsorted records serve.
void SplitByPage(Run& run, int group_count) {
  FileTable& files = run.files;
  std::map<std::string, int> group_of;
  for (int g = group_count; g >= 1; --g) {
    for (const std::string& page : group_pages(run, g)) group_of[page] = g;
  }
  int all = open_for_output(files, kAllOccurrences);
  // r: rank key, word_id, page, line, position, word, word_id, occurrence.
  std::vector<std::string> r;
  for (int first = 1; first <= group_count; first += kGroupsPerPass) {
    int last = std::min(group_count, first + kGroupsPerPass - 1);
    std::vector<int> by_page, by_word;
    for (int g = first; g <= last; ++g) {
      by_page.push_back(open_for_output(files, group_occurrences(g)));
      by_word.push_back(open_for_output(files, group_word_occurrences(g)));
    }
    int ranked = open_for_input(files, kRankedRecords);
    while (!files.end_of_file(ranked)) {
      read_items(files, ranked, 8, &r);
      auto it = group_of.find(r[2]);
      if (it == group_of.end() || it->second < first || it->second > last) continue;
      size_t slot = static_cast<size_t>(it->second - first);
      files.write_quoted(by_page[slot], {r[2], r[3], r[4], r[5], r[6], r[7]});
      files.write_quoted(by_word[slot], {r[1], r[2], r[3], r[4], r[5], r[6], r[7]});
      files.write_quoted(all, {r[1], GroupField(it->second), r[2], r[3], r[4], r[5], r[7]});
    }
    files.close_file(ranked);
    for (size_t i = 0; i < by_page.size(); ++i) {
      files.close_file(by_page[i]);
      files.close_file(by_word[i]);
    }
  }
  files.close_file(all);
  for (int g = 1; g <= group_count; ++g) {
    run.run_command("sort " + group_occurrences(g) + " /o " + group_occurrences_sorted(g));
    run.run_command("sort " + group_word_occurrences(g) + " /o " +
                    group_word_occurrences_sorted(g));
  }
}

// The answers of the per-word files, got in one pass over the identified
// records instead of one search of them per word.
WordFileIndex BuildIndex(Run& run, int group_count) {
  std::vector<std::string> pages;
  for (int g = 1; g <= group_count; ++g) {
    for (const std::string& page : group_pages(run, g)) pages.push_back(page);
  }
  WordFileIndex index;
  std::string path;
  if (resolve_path(run.disk, kIdentifiedRecords, &path))
    index.Build(run.disk, path, pages, &run.failures);
  return index;
}

void AddNextPages(Run& run, int group_count, const WordFileIndex& index) {
  FileTable& files = run.files;
  std::vector<std::string> r;
  for (int g = 1; g <= group_count; ++g) {
    int in = open_for_input(files, group_occurrences_sorted(g));
    int out = open_for_output(files, group_next_pages(g));
    while (!files.end_of_file(in)) {
      read_items(files, in, 6, &r);
      files.write_quoted(out, {r[0], r[1], r[2], r[3], r[4], r[5], index.NextPage(r[4], r[0])});
    }
    files.close_file(in);
    files.close_file(out);
  }
}

}  // namespace

std::vector<std::string> group_pages(Run& run, int group) {
  FileTable& files = run.files;
  int in = open_for_input(files, group_page_list(group));
  std::vector<std::string> pages;
  while (!files.end_of_file(in)) pages.push_back(files.read_token(in));
  files.close_file(in);
  return pages;
}

WordFileIndex build_occurrence_lists(Run& run, int group_count) {
  SplitByPage(run, group_count);
  WordFileIndex index = BuildIndex(run, group_count);
  AddNextPages(run, group_count, index);
  run.print_line("processed 50%");
  return index;
}

}  // namespace quillon
