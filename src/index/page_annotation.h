// Rewriting the numbered pages so that every indexed word is an element
// with its word id, with the highlighting script, the occurrence navigators
// and the page navigation links.

#ifndef QUILLON_INDEX_PAGE_ANNOTATION_H_
#define QUILLON_INDEX_PAGE_ANNOTATION_H_

#include <string>

#include "index/page_work.h"
#include "index/word_table.h"
#include "run/file_table.h"
#include "shell/command_layer.h"

namespace quillon {

/// The Before and Next targets, kept from one page to the next.
struct PageLinks {
  std::string before;
  std::string next;
};

/// Makes the folder wrd_24 exist without .txt files (once, before the group
/// loop).
void prepare_copy_folder(CommandLayer& commands, FileTable& files);

/// Writes wrd_24\wrd_24_[group].txt: the group's occurrences, each with its
/// next page, as quoted records.
void write_occurrence_copy(PageWork& work, const WordTable& table, int group);

/// Rewrites the pages of one group in place. `links` holds the Before and
/// Next targets as the pages before these left them.
void annotate_group_pages(PageWork& work, const WordTable& table, int group, PageLinks* links);

}  // namespace quillon

#endif  // QUILLON_INDEX_PAGE_ANNOTATION_H_
