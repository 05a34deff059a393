#include "index/word_records.h"

#include <vector>

#include "base/sort_file.h"
#include "base/text.h"
#include "index/page_parts.h"
#include "index/record_io.h"

namespace quillon {

namespace {

void SortInto(Run& run, const std::string& input, const std::string& output) {
  run.sort.input = input;
  run.sort.output = output;
  sort_file(run);
}

void LowerCaseCopy(Run& run) {
  FileTable& files = run.files;
  int in = open_for_input(files, "wrd_01.txt");
  int out = open_for_output(files, "wrd_01_01.txt");
  std::vector<std::string> r;
  while (!files.end_of_file(in)) {
    read_items(files, in, 5, &r);
    std::string lower = to_lower(r[0]);
    if (find_text(1, lower, "&nbsp;") > 0) continue;
    files.write_quoted(out, {lower, r[1], r[2], r[0], r[3], r[4]});
  }
  files.close_file(in);
  files.close_file(out);
}

// The id of a word is the place of its first record in the sorted list.
void NumberWords(Run& run) {
  FileTable& files = run.files;
  int in = open_for_input(files, "wrd_01_02.txt");
  int out = open_for_output(files, "wrd_03.txt");
  std::vector<std::string> r;
  read_items(files, in, 6, &r);
  long long counter = 0;
  std::string id = word_id_text(counter);
  std::string remembered = r[0];
  files.write_quoted(out, {r[1], r[2], r[4], r[3], id});
  while (!files.end_of_file(in)) {
    read_items(files, in, 6, &r);
    ++counter;
    if (compare_text(r[0], remembered) != 0) {
      id = word_id_text(counter);
      remembered = r[0];
    }
    files.write_quoted(out, {r[1], r[2], r[4], r[3], id});
  }
  files.close_file(in);
  files.close_file(out);
}

void NumberOccurrences(Run& run) {
  FileTable& files = run.files;
  int in = open_for_input(files, "wrd_03.txt");
  int out = open_for_output(files, "wrd_04.txt");
  std::vector<std::string> r;
  read_items(files, in, 5, &r);
  std::string remembered = r[4];
  files.rewind_file(in);
  long long counter = 0;
  while (!files.end_of_file(in)) {
    read_items(files, in, 5, &r);
    ++counter;
    if (compare_text(r[4], remembered) != 0) counter = 1;
    if (find_text(1, r[0], "page_") > 0 && find_text(1, r[4], "id") > 0) {
      files.write_quoted(out, {r[0], r[1], r[2], r[3], r[4], number_text(counter)});
    }
    remembered = r[4];
  }
  files.close_file(in);
  files.close_file(out);
}

bool IsWordRecord(const std::vector<std::string>& r) {
  return find_text(1, to_lower(r[0]), "page_") > 0 && find_text(1, r[4], "id") > 0;
}

void KeepWordRecords(Run& run) {
  FileTable& files = run.files;
  int in = open_for_input(files, "wrd_05.txt");
  int out = open_for_output(files, "wrd_06.txt");
  std::vector<std::string> r;
  while (!files.end_of_file(in)) {
    read_items(files, in, 6, &r);
    if (IsWordRecord(r)) files.write_quoted(out, r);
  }
  files.close_file(in);
  files.close_file(out);
}

// The fast strategy filters on the way instead of through wrd_06.txt.
void AddRankKeys(Run& run, const std::string& input, bool filter) {
  FileTable& files = run.files;
  int in = open_for_input(files, input);
  int out = open_for_output(files, "wrd_07.txt");
  std::vector<std::string> r;
  while (!files.end_of_file(in)) {
    read_items(files, in, 6, &r);
    if (filter && !IsWordRecord(r)) continue;
    std::string key = rank_key(round_to_int32(text_to_number(r[5])));
    files.write_quoted(out, {key, r[4], r[0], r[1], r[2], r[3], r[4], r[5]});
  }
  files.close_file(in);
  files.close_file(out);
}

bool ListedBefore(FileTable& files, const std::string& page) {
  int in = open_for_input(files, "group_page_all.txt");
  std::string line;
  bool listed = false;
  while (!listed && !files.end_of_file(in)) {
    files.read_line(in, &line);
    listed = line == page;
  }
  files.close_file(in);
  return listed;
}

// Pages in order of first occurrence, two to a group file.
int GroupPages(Run& run) {
  FileTable& files = run.files;
  int in = open_for_input(files, "wrd_07.txt");
  std::vector<std::string> r;
  read_items(files, in, 8, &r);
  std::string current = r[2];
  int all = open_for_output(files, "group_page_all.txt");
  files.print_line(all, current);
  files.close_file(all);
  int group = 1;
  int out = open_for_output(files, "group_search_1.txt");
  files.write_quoted(out, {current});
  int fill = 1;
  while (!files.end_of_file(in)) {
    read_items(files, in, 8, &r);
    if (r[2] == current || ListedBefore(files, r[2])) continue;
    current = r[2];
    files.write_quoted(out, {current});
    ++fill;
    all = files.free_file_number();
    files.open_append("group_page_all.txt", all);
    files.print_line(all, current);
    files.close_file(all);
    if (fill == 2) {
      files.close_file(out);
      fill = 0;
      ++group;
      out = open_for_output(files, "group_search_" + number_text(group) + ".txt");
    }
  }
  files.close_file(in);
  files.close_file(out);
  return group;
}

}  // namespace

std::string rank_key(long long occurrence) {
  std::string digits = number_text(100000000 - occurrence);
  return left_text("00000000", 8 - text_length(digits)) + digits;
}

void build_word_records(Run& run) {
  LowerCaseCopy(run);
  SortInto(run, "wrd_01_01.txt", "wrd_01_02.txt");
  run.print_line("processed 20%");
  NumberWords(run);
  NumberOccurrences(run);
  SortInto(run, "wrd_04.txt", "wrd_05.txt");
  if (run.strategy == Strategy::kReference) {
    KeepWordRecords(run);
    AddRankKeys(run, "wrd_06.txt", false);
    // Only the per-page split reads the rank order, and the fast split does
    // not depend on the order of its input.
    SortInto(run, "wrd_07.txt", "wrd_08.txt");
  } else {
    AddRankKeys(run, "wrd_05.txt", true);
  }
  run.print_line("processed 30%");
  run.settings.group_count = GroupPages(run);
  SortInto(run, "group_page_all.txt", "group_page_all_sort.txt");
  run.print_line("processed 40%");
}

}  // namespace quillon
