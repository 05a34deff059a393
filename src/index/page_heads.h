// The heads of the pages the index writes, from "<html>" to the body's
// first lines.

#ifndef QUILLON_INDEX_PAGE_HEADS_H_
#define QUILLON_INDEX_PAGE_HEADS_H_

#include <initializer_list>
#include <string>

namespace quillon {

/// The 25 head lines of the contents, group index and word index pages,
/// with the date and time of now.
std::string common_head_text();

/// The head of a search page, down to "<body>" and the highlight script.
std::string search_page_head_text();

/// The lines, each ended by CR LF as the pages end them.
std::string page_lines(std::initializer_list<std::string> lines);

}  // namespace quillon

#endif  // QUILLON_INDEX_PAGE_HEADS_H_
