// The pages written group by group: for each page group in order, its
// occurrence file, its pages annotated, its index page and its search page.

#ifndef QUILLON_INDEX_GROUP_PAGES_H_
#define QUILLON_INDEX_GROUP_PAGES_H_

#include <string>

#include "index/word_table.h"
#include "run/run.h"

namespace quillon {

/// Writes the contents page and the pages of every group; search links are
/// restricted to `destination_site` when it is not empty. The groups are
/// written on the threads `jobs` asks for (RunOptions::jobs), with the same
/// bytes for any number; a failure in one stops the groups not yet begun.
void write_group_pages(Run& run, const WordTable& table, const std::string& destination_site,
                       int jobs);

}  // namespace quillon

#endif  // QUILLON_INDEX_GROUP_PAGES_H_
