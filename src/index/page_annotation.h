// Rewriting the numbered pages so that every indexed word is an element
// with its word id, with the highlighting script, the occurrence navigators
// and the page navigation links.

#ifndef QUILLON_INDEX_PAGE_ANNOTATION_H_
#define QUILLON_INDEX_PAGE_ANNOTATION_H_

#include <string>

#include "index/word_file_index.h"
#include "run/run.h"

namespace quillon {

/// The Before and Next targets, kept from one page to the next.
struct PageLinks {
  std::string before;
  std::string next;
};

/// Makes the folder wrd_24 hold copies of the wrd_24_[g].txt files (once,
/// before the group loop).
void prepare_copy_folder(Run& run);

/// Rewrites the pages of one group from wrd_24_[group].txt, with the
/// navigators' counts from `index`.
void annotate_group_pages(Run& run, int group, const WordFileIndex& index, PageLinks* links);

/// Whether the line opens the page body (a "<" and, after blanks only, "body").
bool is_body_line(const std::string& line);

}  // namespace quillon

#endif  // QUILLON_INDEX_PAGE_ANNOTATION_H_
