// Every work file and work folder a run uses, named once, with the phase
// that writes it and the phases that read it. Names are as command lines
// and opens spell them; the run works in its own folder, so every name is
// relative to it.
//
// Phases, in run order: start-up, tool checks, intake, HTML inputs,
// selection, destination address, duplicate check, working copies,
// comparison page, changes pages, page preparation, word extraction, word
// records, occurrence lists, group pages (annotation, group index, search),
// word index, delivery.

#ifndef QUILLON_RUN_WORK_FILES_H_
#define QUILLON_RUN_WORK_FILES_H_

#include <string>

#include "base/text.h"
#include "shell/command_layer.h"

namespace quillon {
namespace work_files {

// ---- Folders -------------------------------------------------------------

/// The user's input files. Intake rewrites it under clean names, HTML inputs
/// add .txt twins; selection lists and copies from it.
inline const std::string kInputFolder = "compare_in";
/// The two chosen files. Written by selection; read by the duplicate check
/// and working copies; page preparation stages the pages through it.
inline const std::string kTextIn = "txt_in";
/// The working copies under clean names. Emptied by intake; written by the
/// duplicate check and working copies; read by the comparison page.
inline const std::string kTextWork = "txt_wrk";
/// The pages to index. Written by page preparation, which reads it.
inline const std::string kHtmlIn = "htm_in";
/// compare.htm. Emptied by intake and working copies; written by the
/// comparison page; read by page preparation and delivery.
inline const std::string kHtmlWork = "htm_wrk";
/// The delivered pages. Emptied by selection; written by delivery.
inline const std::string kHtmlOut = "htm_out";
/// Copies of the per-group occurrence files. Written by group pages.
inline const std::string kOccurrenceCopies = "wrd_24";

/// The folders, in the order selection makes them.
inline const std::string kWorkFolders[] = {kHtmlIn, kHtmlOut, kHtmlWork, kTextIn, kTextWork};

// ---- Sinks and clearing files --------------------------------------------

/// Output nobody reads. Written by every phase's command lines.
inline const std::string kSink = "out_null.list";
/// The tool checks' own sink.
inline const std::string kCheckSink = "out_null.txt";
/// A throw-away listing that makes a wildcard delete find a file: written
/// into a folder right before it is emptied (start-up, selection, working
/// copies, group pages, delivery).
inline const std::string kClearingFile = "f_01.txt";
/// The same in page preparation, where "*.htm*" is deleted.
inline const std::string kHtmlClearingFile = "f_01.html";
inline const std::string kTextInClearingFile = "out.null.html";

// ---- Listings and counts (each read only by the phase that writes it) ------

/// Tool checks: the listing and the filtered or sorted listing they count.
inline const std::string kCheckListing = "check_01.txt";
inline const std::string kCheckResult = "check_02.txt";
/// Intake: compare_in as it was, and after the names were cleaned.
inline const std::string kInputListing = "compare_in.list";
/// Intake: the folders of the run's folder.
inline const std::string kFolderListing = "dir_cur.txt";
/// Intake: a clean-named copy is completed here, then renamed into
/// compare_in in one step.
inline const std::string kIntakeTemporary = "intake_01.tmp";
/// HTML inputs: a text twin is completed here, then takes its name.
inline const std::string kTwinTemporary = "twin_01.tmp";
/// Every copy command: the copy is completed here, then takes its name.
inline const std::string kCopyTemporary = kCopyScratchName;
/// HTML inputs: the two lists of the clash test, the second rewritten, and
/// the .htm files to reformat.
inline const std::string kClashFirstList = "compare_01.txt";
inline const std::string kClashSecondList = "compare_02.txt";
inline const std::string kClashRewrittenList = "compare_04.txt";
inline const std::string kHtmlInputList = "rename_01.txt";
/// Selection: the text files of compare_in or txt_in, and the numbered list.
inline const std::string kTextFileListing = "txt_file.txt";
inline const std::string kChoiceList = "dir_a_01.txt";
/// Selection, page preparation, group pages, delivery: a scratch listing.
inline const std::string kScratchListing = "dir_01.txt";
/// Duplicate check: the working copies, listed twice.
inline const std::string kDuplicateFirstList = "f_03.txt";
inline const std::string kDuplicateSecondList = "f_05.txt";
/// Working copies, read by the comparison page: the working copies' names.
inline const std::string kWorkingCopyList = "txt_wrk.list";
/// Page preparation: how many HTML files survived the clean-up.
inline const std::string kLeftoverCount = "count.txt";
/// Word extraction, read by delivery: the numbered pages.
inline const std::string kPageListing = "dir_02.txt";

/// The list files a run writes in its folder, without a marker of their
/// own, and deletes at its end.
inline const std::string kRunListFiles[] = {kSink, kInputListing, kWorkingCopyList};

// ---- Pages ----------------------------------------------------------------

/// The comparison page. Written by the comparison page into the run's folder
/// and htm_wrk; page preparation indexes it, delivery delivers it.
inline const std::string kComparePage = "compare.htm";
/// A part of the comparison page, written by the comparison page into
/// htm_wrk when the page is too large to index whole; indexed instead of it.
/// `pad` fills the number with zeros, so that listings keep the parts' order.
std::string comparison_part(const std::string& pad, long number);

/// The changes pages: changes.htm (part 1), changes_2.htm, ... Written by
/// the changes pages into txt_wrk, where the index does not take them up;
/// moved into htm_out by delivery.
inline const std::string kChangesPage = "changes.htm";
inline std::string changes_page(long part) {
  return part == 1 ? kChangesPage : "changes_" + number_text(part) + ".htm";
}

/// The contents page, the index of all words. Written by group pages and the
/// word index; delivered.
inline const std::string kContentsPage = "files_list.htm";
inline const std::string kWordIndexPage = "index.htm";
/// The pages of the index of all words when it takes more than one: index.htm
/// (page 1), index_2.htm, ...; written by the word index, delivered.
inline std::string word_index_page(int page) {
  return page == 1 ? kWordIndexPage : "index_" + number_text(page) + ".htm";
}
inline const std::string kWordIndexPages = "index*.htm";

/// "page_" and the page number filled with zeros from `pad`: the numbered
/// pages, written by page preparation, rewritten by group pages, delivered.
std::string page_name(const std::string& pad, long number);

/// The zeros page numbers are filled to for `count` pages: "" for one page
/// or none, "00" from two, one zero more for every power of ten past ten.
std::string page_number_pad_for(long count);

/// The part of a page name between "page_" and ".htm" (page_01.htm gives 01).
std::string page_number_text(const std::string& page);

/// A name up to its first ".htm".
std::string html_stem(const std::string& name);

/// Page preparation: the page without control bytes before it is numbered
/// ("compare.htm" gives "compare_01.htm").
inline std::string stripped_copy(const std::string& name) {
  return html_stem(name) + "_01.htm";
}
/// Group pages: a page as it was, and the page being rewritten.
inline std::string page_before_annotation(const std::string& page) {
  return html_stem(page) + "_01.htm";
}
inline std::string page_being_annotated(const std::string& page) {
  return html_stem(page) + "_02.htm";
}

/// The group index and search pages of group `group`: written by group
/// pages, delivered.
inline std::string group_index_page(int group) {
  return "i_" + number_text(group) + ".htm";
}
inline std::string group_search_page(int group) {
  return "s_" + number_text(group) + ".htm";
}

// ---- Word and group records (quoted records) --------------------------------
//
// The straightforward procedure of the index hands these on from phase to
// phase; the program holds the same records in memory (index/word_table.h)
// and writes only the copies in wrd_24. The phases named are the
// procedure's.

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
/// Occurrence lists: every record of one word, as findstr selects it.
inline std::string word_file(const std::string& word_id) {
  return word_id + ".txt";
}
/// Occurrence lists, read by group pages (and copied into wrd_24): the
/// occurrences of a group with the next page holding each word. `group` is
/// the group's number text.
inline std::string group_next_pages(const std::string& group) {
  return "wrd_24_" + group + ".txt";
}
inline std::string group_next_pages(int group) {
  return group_next_pages(number_text(group));
}
/// Word index: the count of one entry, as find /c writes it; `group` is the
/// group's number text.
inline std::string group_count_file(const std::string& group) {
  return "wrd_11_" + group + "_count.txt";
}

// ---- The sort of work files -------------------------------------------------

/// The sort's run files, merge output and sink.
inline std::string sort_run_file(long number) {
  return "file_s_" + number_text(number) + ".txt";
}
inline const std::string kSortRunClearingFile = "file_s_01.txt";
inline const std::string kSortMergeOutput = "sort_output.txt";
inline const std::string kSortSink = "null.txt";
/// Scratch runs of the one-pass sort (and of the sort command): this prefix,
/// a number and ".tmp".
inline const std::string kSortScratchPrefix = kSortScratchName;

// ---- Which names are the run's own -----------------------------------------

/// True when `name` is, spelled exactly, a work file of the run in its
/// folder: a fixed name above or one of a numbered family ("wrd_11_3.txt",
/// "page_01.htm", "id00000042.txt", "file_s_2.tmp", ...).
bool is_work_file_name(const std::string& name);

/// True when `name` is, spelled exactly, one of the run's work folders.
bool is_work_folder_name(const std::string& name);

}  // namespace work_files
}  // namespace quillon

#endif  // QUILLON_RUN_WORK_FILES_H_
