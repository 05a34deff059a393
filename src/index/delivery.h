// The end of the index: the finished pages gathered in htm_out, and the
// working folder cleared of the run's work files.

#ifndef QUILLON_INDEX_DELIVERY_H_
#define QUILLON_INDEX_DELIVERY_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Delivers the pages to htm_out (emptied first), compare.htm from
/// `whole_page_folder`, and removes the run's work files from its folder;
/// its subfolders keep their files.
void deliver_pages(Run& run, const std::string& whole_page_folder);

}  // namespace quillon

#endif  // QUILLON_INDEX_DELIVERY_H_
