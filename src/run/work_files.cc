#include "run/work_files.h"

namespace quillon {
namespace work_files {

namespace {

// The fixed names of the run's folder.
const std::string* const kFixedNames[] = {
    &kChangesPage,         &kSink,
    &kCheckSink,           &kClearingFile,
    &kHtmlClearingFile,    &kCheckListing,
    &kCheckResult,         &kInputListing,
    &kFolderListing,       &kIntakeTemporary,
    &kTwinTemporary,       &kCopyTemporary,
    &kClashFirstList,      &kClashSecondList,
    &kClashRewrittenList,  &kHtmlInputList,
    &kTextFileListing,     &kChoiceList,
    &kScratchListing,      &kDuplicateFirstList,
    &kDuplicateSecondList, &kWorkingCopyList,
    &kLeftoverCount,       &kPageListing,
    &kComparePage,         &kContentsPage,
    &kWordIndexPage,
};

// What the earlier index, which handed its records on from file to file,
// wrote in the run's folder ("#" for a number). The program writes none of
// these; the test model does, and checks that each is a work name.
const char* const kEarlierNames[] = {
    "wrd_01.txt",
    "wrd_01_01.txt",
    "wrd_01_02.txt",
    "wrd_03.txt",
    "wrd_04.txt",
    "wrd_05.txt",
    "wrd_06.txt",
    "wrd_07.txt",
    "wrd_08.txt",
    "group_page_all.txt",
    "group_page_all_sort.txt",
    "wrd_15.txt",
    "wrd_16.txt",
    "file_s_01.txt",
    "sort_output.txt",
    "null.txt",
    "compare_01.htm",
    "page_#_01.htm",
    "page_#_02.htm",
    "group_search_#.txt",
    "wrd_10_#.txt",
    "wrd_11_#.txt",
    "wrd_12_#.txt",
    "wrd_13_#.txt",
    "wrd_14_#.txt",
    "wrd_11_#_count.txt",
    "id#.txt",
    "file_s_#.txt",
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

const Family* const kFamilies[8] = {
    &kComparisonParts, &kLaterChangesPages, &kLaterWordIndexPages, &kNumberedPages,
    &kGroupIndexPages, &kGroupSearchPages,  &kOccurrenceCopyFiles, &kSortScratchFiles,
};

bool Family::holds(const std::string& name) const {
  return InFamily(std::string(prefix) + "#" + suffix, name);
}

bool is_work_file_name(const std::string& name) {
  for (const std::string* fixed : kFixedNames) {
    if (name == *fixed) return true;
  }
  for (const Family* family : kFamilies) {
    if (family->holds(name)) return true;
  }
  for (const char* earlier : kEarlierNames) {
    if (InFamily(earlier, name)) return true;
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
  return kNumberedPages.name(PaddedNumber(pad, number));
}

std::string comparison_part(const std::string& pad, long number) {
  return kComparisonParts.name(PaddedNumber(pad, number));
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
