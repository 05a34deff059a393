#include "run/work_files.h"

namespace quillon {
namespace work_files {

namespace {

// The fixed names of the run's folder, and the numbered families with "#"
// for the number, as the names above spell them.
const std::string* const kFixedNames[] = {
    &kChangesPage,
    &kSink,
    &kCheckSink,
    &kClearingFile,
    &kHtmlClearingFile,
    &kCheckListing,
    &kCheckResult,
    &kInputListing,
    &kFolderListing,
    &kIntakeTemporary,
    &kTwinTemporary,
    &kCopyTemporary,
    &kClashFirstList,
    &kClashSecondList,
    &kClashRewrittenList,
    &kHtmlInputList,
    &kTextFileListing,
    &kChoiceList,
    &kScratchListing,
    &kDuplicateFirstList,
    &kDuplicateSecondList,
    &kWorkingCopyList,
    &kLeftoverCount,
    &kPageListing,
    &kComparePage,
    &kContentsPage,
    &kWordIndexPage,
    &kWordRecords,
    &kLowerCaseRecords,
    &kSortedRecords,
    &kIdentifiedRecords,
    &kNumberedRecords,
    &kDocumentOrderRecords,
    &kWordOnlyRecords,
    &kRankedRecords,
    &kRankSortedRecords,
    &kPagesWithWords,
    &kPagesWithWordsSorted,
    &kAllOccurrences,
    &kAllOccurrencesSorted,
    &kSortRunClearingFile,
    &kSortMergeOutput,
    &kSortSink,
};

const char* const kFamilies[] = {
    "page_#.htm",   "page_#_01.htm",      "page_#_02.htm", "compare_01.htm",     "i_#.htm",
    "s_#.htm",      "group_search_#.txt", "wrd_10_#.txt",  "wrd_11_#.txt",       "wrd_12_#.txt",
    "wrd_13_#.txt", "wrd_14_#.txt",       "wrd_24_#.txt",  "wrd_11_#_count.txt", "id#.txt",
    "file_s_#.txt", "file_s_#.tmp",       "index_#.htm",   "part_#_01.htm",      "changes_#.htm",
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "#" stands for one digit or more.
bool InFamily(const std::string& family, const std::string& name) {
  size_t n = 0;
  for (char c : family) {
    if (c != '#') {
      if (n >= name.size() || name[n] != c) return false;
      ++n;
      continue;
    }
    size_t start = n;
    while (n < name.size() && IsDigit(name[n])) ++n;
    if (n == start) return false;
  }
  return n == name.size();
}

// The number's digits, filled with zeros on the left from `pad`.
std::string PaddedNumber(const std::string& pad, long number) {
  std::string digits = number_text(number);
  return left_text(pad, text_length(pad) - text_length(digits)) + digits;
}

}  // namespace

bool is_work_file_name(const std::string& name) {
  for (const std::string* fixed : kFixedNames) {
    if (name == *fixed) return true;
  }
  for (const char* family : kFamilies) {
    if (InFamily(family, name)) return true;
  }
  return false;
}

bool is_work_folder_name(const std::string& name) {
  for (const std::string& folder : kWorkFolders) {
    if (name == folder) return true;
  }
  return name == kOccurrenceCopies;
}

std::string page_name(const std::string& pad, long number) {
  return "page_" + PaddedNumber(pad, number) + ".htm";
}

std::string comparison_part(const std::string& pad, long number) {
  return "part_" + PaddedNumber(pad, number) + ".htm";
}

std::string page_number_pad_for(long count) {
  std::string pad;
  long limit = 1;
  for (int zeros = 2; zeros <= 8 && count > limit; ++zeros, limit *= 10) {
    pad = std::string(static_cast<size_t>(zeros), '0');
  }
  return pad;
}

std::string page_number_text(const std::string& page) {
  long p = find_text(1, page, ".htm");
  return substring(page, 6, p - 6);
}

std::string html_stem(const std::string& name) {
  return left_text(name, find_text(1, name, ".htm") - 1);
}

}  // namespace work_files
}  // namespace quillon
