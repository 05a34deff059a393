// The names of the work files through which the straightforward index hands
// its records on from phase to phase. The program keeps these records in
// memory and writes none of them; the run still counts each name as its
// own (model_test checks that it does).

#ifndef QUILLON_MODEL_MODEL_NAMES_H_
#define QUILLON_MODEL_MODEL_NAMES_H_

#include <string>

#include "base/text.h"
#include "run/work_files.h"

namespace quillon {
namespace work_files {

/// Word extraction, read by word records: one record per word.
inline const std::string kWordRecords = "wrd_01.txt";
/// Word records: the records with the word in lower case, then sorted.
inline const std::string kLowerCaseRecords = "wrd_01_01.txt";
inline const std::string kSortedRecords = "wrd_01_02.txt";
/// Word records, read by occurrence lists: every record with its word id,
/// grouped by word.
inline const std::string kIdentifiedRecords = "wrd_03.txt";
/// Word records: with occurrence numbers, then in document order.
inline const std::string kNumberedRecords = "wrd_04.txt";
inline const std::string kDocumentOrderRecords = "wrd_05.txt";
inline const std::string kWordOnlyRecords = "wrd_06.txt";
/// Word records, read by occurrence lists: with rank keys, then sorted.
inline const std::string kRankedRecords = "wrd_07.txt";
inline const std::string kRankSortedRecords = "wrd_08.txt";
/// Word records, read by group pages: every page with words, in order of
/// first occurrence, then sorted.
inline const std::string kPagesWithWords = "group_page_all.txt";
inline const std::string kPagesWithWordsSorted = "group_page_all_sort.txt";
/// Word records, read by occurrence lists: the pages of group `group`.
inline std::string group_page_list(int group) {
  return "group_search_" + number_text(group) + ".txt";
}
/// Occurrence lists: the occurrences of one page (`number` as in the page
/// name).
inline std::string page_occurrences(const std::string& number) {
  return "wrd_10_" + number + ".txt";
}
/// Occurrence lists: the occurrences of a group, unsorted and sorted in page
/// order (read by group pages and the word index).
inline std::string group_occurrences(const std::string& group) {
  return "wrd_11_" + group + ".txt";
}
inline std::string group_occurrences(int group) {
  return group_occurrences(number_text(group));
}
inline std::string group_occurrences_sorted(int group) {
  return "wrd_12_" + number_text(group) + ".txt";
}
/// Occurrence lists: the occurrences of a group keyed by word id, unsorted
/// and sorted (read by group pages).
inline std::string group_word_occurrences(int group) {
  return "wrd_13_" + number_text(group) + ".txt";
}
inline std::string group_word_occurrences_sorted(int group) {
  return "wrd_14_" + number_text(group) + ".txt";
}
/// Occurrence lists, read by the word index: all occurrences with their
/// group; the word index sorts them.
inline const std::string kAllOccurrences = "wrd_15.txt";
inline const std::string kAllOccurrencesSorted = "wrd_16.txt";
/// Occurrence lists: every record of one word, as a text search selects it.
inline std::string word_file(const std::string& word_id) {
  return word_id + ".txt";
}
/// Word index: the count of one entry; `group` is the group's number text.
inline std::string group_count_file(const std::string& group) {
  return "wrd_11_" + group + "_count.txt";
}
/// Group pages: a page as it was, and the page being rewritten.
inline std::string page_before_annotation(const std::string& page) {
  return html_stem(page) + "_01.htm";
}
inline std::string page_being_annotated(const std::string& page) {
  return html_stem(page) + "_02.htm";
}

}  // namespace work_files
}  // namespace quillon

#endif  // QUILLON_MODEL_MODEL_NAMES_H_
