#include "index/occurrence_lists.h"

#include <algorithm>
#include <map>

#include "base/paths.h"
#include "base/text.h"
#include "index/page_parts.h"
#include "index/record_io.h"

namespace quillon {

namespace {

// Files a pass of the fast strategy keeps open per group, and groups per pass.
const int kGroupsPerPass = 100;

std::string GroupFile(const char* stem, int group) {
  return std::string(stem) + number_text(group) + ".txt";
}

std::string GroupField(int group) {
  std::string digits = number_text(group);
  return blank_text(5 - text_length(digits)) + digits;
}

// r: rank key, word_id, page, line, position, word, word_id, occurrence.
void WriteGroupRecords(FileTable& files, int by_page, int by_word, const std::vector<std::string>& r) {
  files.write_quoted(by_page, {r[2], r[3], r[4], r[5], r[6], r[7]});
  files.write_quoted(by_word, {r[1], r[2], r[3], r[4], r[5], r[6], r[7]});
}

void WriteAllGroupsRecord(FileTable& files, int all, int group, const std::vector<std::string>& r) {
  files.write_quoted(all, {r[1], GroupField(group), r[2], r[3], r[4], r[5], r[7]});
}

void SortGroupFiles(Run& run, int group) {
  run.run_command("sort " + GroupFile("wrd_11_", group) + " /o " + GroupFile("wrd_12_", group));
  run.run_command("sort " + GroupFile("wrd_13_", group) + " /o " + GroupFile("wrd_14_", group));
}

// One pass over wrd_08.txt per page of every group.
void SplitByPageReference(Run& run) {
  FileTable& files = run.files;
  int ranked = open_for_input(files, "wrd_08.txt");
  int all = open_for_output(files, "wrd_15.txt");
  std::vector<std::string> r;
  for (int g = 1; g <= run.settings.group_count; ++g) {
    int pages = open_for_input(files, GroupFile("group_search_", g));
    int by_page = open_for_output(files, GroupFile("wrd_11_", g));
    int by_word = open_for_output(files, GroupFile("wrd_13_", g));
    while (!files.end_of_file(pages)) {
      std::string page = files.read_token(pages);
      int single = open_for_output(files, "wrd_10_" + page_number_text(page) + ".txt");
      files.rewind_file(ranked);
      while (!files.end_of_file(ranked)) {
        read_items(files, ranked, 8, &r);
        if (compare_text(r[2], page) != 0) continue;
        files.write_quoted(single, {r[2], r[3], r[4], r[5], r[6], r[7]});
        WriteGroupRecords(files, by_page, by_word, r);
        WriteAllGroupsRecord(files, all, g, r);
      }
      files.close_file(single);
    }
    files.close_file(pages);
    files.close_file(by_page);
    files.close_file(by_word);
    SortGroupFiles(run, g);
  }
  files.close_file(ranked);
  files.close_file(all);
}

// One pass over the occurrences for up to kGroupsPerPass groups. The files
// are sorted afterwards and no two records compare equal, so the order in
// which records reach them cannot show: the unsorted wrd_07.txt serves.
void SplitByPageFast(Run& run) {
  FileTable& files = run.files;
  std::map<std::string, int> group_of;
  for (int g = run.settings.group_count; g >= 1; --g) {
    for (const std::string& page : group_pages(run, g)) group_of[page] = g;
  }
  int all = open_for_output(files, "wrd_15.txt");
  std::vector<std::string> r;
  for (int first = 1; first <= run.settings.group_count; first += kGroupsPerPass) {
    int last = std::min(run.settings.group_count, first + kGroupsPerPass - 1);
    std::vector<int> by_page, by_word;
    for (int g = first; g <= last; ++g) {
      by_page.push_back(open_for_output(files, GroupFile("wrd_11_", g)));
      by_word.push_back(open_for_output(files, GroupFile("wrd_13_", g)));
    }
    int ranked = open_for_input(files, "wrd_07.txt");
    while (!files.end_of_file(ranked)) {
      read_items(files, ranked, 8, &r);
      auto it = group_of.find(r[2]);
      if (it == group_of.end() || it->second < first || it->second > last) continue;
      size_t slot = static_cast<size_t>(it->second - first);
      WriteGroupRecords(files, by_page[slot], by_word[slot], r);
      WriteAllGroupsRecord(files, all, it->second, r);
    }
    files.close_file(ranked);
    for (size_t i = 0; i < by_page.size(); ++i) {
      files.close_file(by_page[i]);
      files.close_file(by_word[i]);
    }
  }
  files.close_file(all);
  for (int g = 1; g <= run.settings.group_count; ++g) SortGroupFiles(run, g);
}

// The next-page search in the word's file: past the first run of the page,
// the record that ends the run gives the next page when it comes later.
std::string NextPageFromWordFile(Run& run, const std::string& id, const std::string& page) {
  FileTable& files = run.files;
  int in = open_for_input(files, id + ".txt");
  std::string next;
  std::vector<std::string> r;
  while (!files.end_of_file(in)) {
    read_items(files, in, 5, &r);
    if (compare_text(r[0], page) != 0) continue;
    do {
      read_items(files, in, 5, &r);
    } while (compare_text(r[0], page) == 0 && !files.end_of_file(in));
    if (compare_text(r[0], page) > 0) {
      next = r[0];
      break;
    }
  }
  files.close_file(in);
  return next;
}

std::string NextPage(Run& run, WordFileIndex* index, const std::string& id,
                     const std::string& page) {
  if (run.strategy == Strategy::kFast) return index->NextPage(id, page);
  if (!run.files.file_exists(id + ".txt")) {
    run.run_command("findstr \"" + id + "\" wrd_03.txt > " + id + ".txt");
  }
  return NextPageFromWordFile(run, id, page);
}

void BuildIndex(Run& run, WordFileIndex* index) {
  std::vector<std::string> pages;
  for (int g = 1; g <= run.settings.group_count; ++g) {
    for (const std::string& page : group_pages(run, g)) pages.push_back(page);
  }
  std::string path;
  if (ResolvePath(run.disk, "wrd_03.txt", &path)) index->Build(run.disk, path, pages);
}

void AddNextPages(Run& run, WordFileIndex* index) {
  FileTable& files = run.files;
  std::vector<std::string> r;
  for (int g = 1; g <= run.settings.group_count; ++g) {
    int in = open_for_input(files, GroupFile("wrd_12_", g));
    int out = open_for_output(files, GroupFile("wrd_24_", g));
    while (!files.end_of_file(in)) {
      read_items(files, in, 6, &r);
      std::string next = NextPage(run, index, r[4], r[0]);
      files.write_quoted(out, {r[0], r[1], r[2], r[3], r[4], r[5], next});
    }
    files.close_file(in);
    files.close_file(out);
  }
}

}  // namespace

std::vector<std::string> group_pages(Run& run, int group) {
  FileTable& files = run.files;
  int in = open_for_input(files, GroupFile("group_search_", group));
  std::vector<std::string> pages;
  while (!files.end_of_file(in)) pages.push_back(files.read_token(in));
  files.close_file(in);
  return pages;
}

void build_occurrence_lists(Run& run, WordFileIndex* index) {
  if (run.strategy == Strategy::kFast) {
    SplitByPageFast(run);
    BuildIndex(run, index);
  } else {
    SplitByPageReference(run);
  }
  AddNextPages(run, index);
  run.print_line("processed 50%");
}

}  // namespace quillon
