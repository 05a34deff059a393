#include "index/word_records.h"

#include <vector>

#include "base/text.h"
#include "index/page_parts.h"
#include "index/record_io.h"
#include "run/work_file_sort.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

void LowerCaseCopy(Run& run) {
  FileTable& files = run.files;
  int in = open_for_input(files, kWordRecords);
  int out = open_for_output(files, kLowerCaseRecords);
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
  int in = open_for_input(files, kSortedRecords);
  int out = open_for_output(files, kIdentifiedRecords);
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
  int in = open_for_input(files, kIdentifiedRecords);
  int out = open_for_output(files, kNumberedRecords);
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

// The records that are no word records are dropped on the way; the
// straightforward procedure writes the kept ones to a file of their own
// first, and sorts the result into rank order, which nothing here needs: the
// split into groups does not depend on the order of its input.
void AddRankKeys(Run& run) {
  FileTable& files = run.files;
  int in = open_for_input(files, kDocumentOrderRecords);
  int out = open_for_output(files, kRankedRecords);
  std::vector<std::string> r;
  while (!files.end_of_file(in)) {
    read_items(files, in, 6, &r);
    if (!IsWordRecord(r)) continue;
    std::string key = rank_key(round_to_int32(text_to_number(r[5])));
    files.write_quoted(out, {key, r[4], r[0], r[1], r[2], r[3], r[4], r[5]});
  }
  files.close_file(in);
  files.close_file(out);
}

bool ListedBefore(FileTable& files, const std::string& page) {
  int in = open_for_input(files, kPagesWithWords);
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
  int in = open_for_input(files, kRankedRecords);
  std::vector<std::string> r;
  read_items(files, in, 8, &r);
  std::string current = r[2];
  int all = open_for_output(files, kPagesWithWords);
  files.print_line(all, current);
  files.close_file(all);
  int group = 1;
  int out = open_for_output(files, group_page_list(1));
  files.write_quoted(out, {current});
  int fill = 1;
  while (!files.end_of_file(in)) {
    read_items(files, in, 8, &r);
    if (r[2] == current || ListedBefore(files, r[2])) continue;
    current = r[2];
    files.write_quoted(out, {current});
    ++fill;
    all = files.free_file_number();
    files.open_append(kPagesWithWords, all);
    files.print_line(all, current);
    files.close_file(all);
    if (fill == 2) {
      files.close_file(out);
      fill = 0;
      ++group;
      out = open_for_output(files, group_page_list(group));
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

int build_word_records(Run& run) {
  LowerCaseCopy(run);
  sort_file(run, kLowerCaseRecords, kSortedRecords);
  run.print_line("processed 20%");
  NumberWords(run);
  NumberOccurrences(run);
  sort_file(run, kNumberedRecords, kDocumentOrderRecords);
  AddRankKeys(run);
  run.print_line("processed 30%");
  int group_count = GroupPages(run);
  sort_file(run, kPagesWithWords, kPagesWithWordsSorted);
  run.print_line("processed 40%");
  return group_count;
}

}  // namespace quillon
