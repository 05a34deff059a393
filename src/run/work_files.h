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

namespace quillon {
namespace work_files {

/// A numbered family of work files: a prefix, a number, a suffix. `name`
/// makes a member, `pattern` is the wildcard by which command lines list or
/// delete the family, `holds` tells whether a name is, spelled exactly, a
/// member (digits only where the number goes).
struct Family {
  const char* prefix;
  const char* suffix;

  std::string name(const std::string& number) const { return prefix + number + suffix; }
  std::string name(long number) const { return name(number_text(number)); }
  std::string pattern() const { return name("*"); }
  bool holds(const std::string& name) const;
};

/// The path of `name` inside `folder`, as command lines and opens spell it.
inline std::string in_folder(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}

// ---- Folders -------------------------------------------------------------

/// The user's input files. Intake rewrites it under clean names, HTML inputs
/// add .txt twins; selection lists and copies from it.
inline const std::string kInputFolder = "compare_in";
/// The two chosen files. Written by selection; read by the duplicate check
/// and working copies; page preparation stages the pages through it.
inline const std::string kTextIn = "txt_in";
/// txt_in as the duplicate check's copy spells it, in capitals: on a disk that
/// tells letter case apart the folder is found all the same.
inline const std::string kTextInAsSpelled = "TXT_IN";
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

/// The one-command form, beside its output folder: its private work folders,
/// this prefix and six random characters, each holding the marker file that
/// a user's folder of that name would not.
inline const std::string kOneCommandFolderPrefix = ".quillon-";
inline const std::string kOneCommandMarker = ".quillon-work";
/// In the one-command form's work folder: where the earlier output folder
/// waits while the new one takes its place, on a system that cannot exchange
/// two folders in one step.
inline const std::string kEarlierOutput = "htm_prev";

// ---- Patterns by which command lines list or delete --------------------------

/// Every file of a folder; every text file; every page (".htm" and longer
/// extensions that begin with it, ".html").
inline const std::string kEveryFile = "*.*";
inline const std::string kEveryTextFile = "*.txt";
inline const std::string kEveryPage = "*.htm*";
/// Every name without an extension: the folders, which a listing of them
/// shows before one is made or emptied (intake, selection, the tool checks,
/// group pages, delivery).
inline const std::string kEveryFolder = "*.";
/// Every ".htm" file (and, as three-letter extensions match, ".html"): the
/// HTML inputs of compare_in, and what page preparation counts to see that no
/// page is left before it stages its own; and the delivered pages of htm_out,
/// which --clean keeps.
inline const std::string kEveryHtmPage = "*.htm";
/// The markers by which a name is tested and cut, or a line of a listing is
/// taken for a file of its kind: a text file, a page.
inline const std::string kTextExtension = ".txt";
inline const std::string kPageExtension = ".htm";
/// The other extension of an HTML input given on the command line.
inline const std::string kLongPageExtension = ".html";
/// The clearing files and the duplicate check's lists (f_01.txt, f_03.txt,
/// ...) that an earlier run left, deleted at start-up.
inline const std::string kEveryClearingFile = "f_*.txt";
/// The tool checks' listings, deleted before each probe.
inline const std::string kEveryCheckFile = "check_*.txt";

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
inline const std::string kCopyTemporary = "copy_01.tmp";
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

/// The one-command form: its two inputs in compare_in, this stem and ".txt"
/// (".htm" for a page); their working copies in txt_wrk, the stem and ".txt".
inline const std::string kOneCommandInputStems[2] = {"first", "second"};
inline std::string one_command_input(int which, bool html) {
  return kOneCommandInputStems[which] + (html ? ".htm" : ".txt");
}
inline std::string one_command_working_copy(int which) {
  return kOneCommandInputStems[which] + ".txt";
}

// ---- Pages ----------------------------------------------------------------

/// The comparison page. Written by the comparison page into the run's folder
/// and htm_wrk; page preparation indexes it, delivery delivers it.
inline const std::string kComparePage = "compare.htm";
/// The parts of the comparison page, written by the comparison page into
/// htm_wrk when the page is too large to index whole; indexed instead of it.
inline constexpr Family kComparisonParts{"part_", ".htm"};
/// Part `number`, filled with zeros from `pad`, so that listings keep the
/// parts' order.
std::string comparison_part(const std::string& pad, long number);

/// The changes pages: changes.htm (part 1), changes_2.htm, ... Written by
/// the changes pages into txt_wrk, where the index does not take them up;
/// moved into htm_out by delivery.
inline const std::string kChangesPage = "changes.htm";
inline constexpr Family kLaterChangesPages{"changes_", ".htm"};
inline std::string changes_page(long part) {
  return part == 1 ? kChangesPage : kLaterChangesPages.name(part);
}

/// The contents page, the index of all words. Written by group pages and the
/// word index; delivered.
inline const std::string kContentsPage = "files_list.htm";
inline const std::string kWordIndexPage = "index.htm";
/// The pages of the index of all words when it takes more than one: index.htm
/// (page 1), index_2.htm, ...; written by the word index, delivered.
inline constexpr Family kLaterWordIndexPages{"index_", ".htm"};
inline std::string word_index_page(int page) {
  return page == 1 ? kWordIndexPage : kLaterWordIndexPages.name(page);
}
/// Every page of the index of all words, as delivery moves them.
inline const std::string kWordIndexPages = "index*.htm";

/// The numbered pages, "page_" and the page number filled with zeros from
/// `pad`: written by page preparation, rewritten by group pages, delivered.
inline constexpr Family kNumberedPages{"page_", ".htm"};
std::string page_name(const std::string& pad, long number);
/// The one page of a run that indexes a single page.
inline const std::string kFirstNumberedPage = "page_1.htm";

/// The zeros page numbers are filled to for `count` pages: "" for one page
/// or none, "00" from two, one zero more for every power of ten past ten.
std::string page_number_pad_for(long count);

/// The part of a page name between "page_" and ".htm" (page_01.htm gives 01).
std::string page_number_text(const std::string& page);

/// A name up to its first ".htm".
std::string html_stem(const std::string& name);

/// Page preparation: the page without control bytes before it is numbered
/// ("compare.htm" gives "compare_01.htm", "page_01.htm" "page_01_01.htm").
inline std::string stripped_copy(const std::string& name) {
  return html_stem(name) + "_01.htm";
}

/// The group index and search pages of group `group`: written by group
/// pages, delivered.
inline constexpr Family kGroupIndexPages{"i_", ".htm"};
inline constexpr Family kGroupSearchPages{"s_", ".htm"};
inline std::string group_index_page(int group) {
  return kGroupIndexPages.name(group);
}
inline std::string group_search_page(int group) {
  return kGroupSearchPages.name(group);
}

/// Group pages, into wrd_24: the occurrences of a group with the next page
/// holding each word. `group` is the group's number text.
inline constexpr Family kOccurrenceCopyFiles{"wrd_24_", ".txt"};
inline std::string group_next_pages(const std::string& group) {
  return kOccurrenceCopyFiles.name(group);
}
inline std::string group_next_pages(int group) {
  return kOccurrenceCopyFiles.name(group);
}

/// The sort command's scratch runs: this prefix, a number and ".tmp".
inline constexpr Family kSortScratchFiles{"file_s_", ".tmp"};

/// The program's numbered families, for the test that each family's names
/// are its own and no other's.
extern const Family* const kFamilies[8];

/// The record of the program's own files in the run's folder (base/own_files.h),
/// and under the same name the record a folder of delivered pages holds of the
/// pages the program wrote there (run/output_record.h): in either folder the
/// one name a person learns to leave alone.
inline const std::string kOwnRecord = ".quillon-files";
inline const std::string kOutputRecord = kOwnRecord;

// ---- Which names are the run's own -----------------------------------------

/// True when `name` is, spelled exactly, a work file of the run in its
/// folder: a fixed name above or one of a numbered family ("page_01.htm",
/// "i_3.htm", ...), or a name the earlier, file-by-file index wrote
/// ("wrd_11_3.txt", "id00000042.txt", "file_s_2.tmp", ...): a folder that
/// holds one was worked in by a run, and such a file is never the user's.
bool is_work_file_name(const std::string& name);

/// True when `name` is, spelled exactly, one of the run's work folders.
bool is_work_folder_name(const std::string& name);

}  // namespace work_files
}  // namespace quillon

#endif  // QUILLON_RUN_WORK_FILES_H_
