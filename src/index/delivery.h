// The end of the index: the finished pages gathered in htm_out, and the
// working folder cleared of the run's work files.

#ifndef QUILLON_INDEX_DELIVERY_H_
#define QUILLON_INDEX_DELIVERY_H_

#include "run/run.h"

namespace quillon {

/// Delivers the pages to htm_out (emptied first) and removes the run's
/// work files from its folder; its subfolders keep their files.
void deliver_pages(Run& run);

}  // namespace quillon

#endif  // QUILLON_INDEX_DELIVERY_H_
