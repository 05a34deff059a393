// The end of a run: the finished pages gathered in htm_out, the working
// folder cleared of the run's work files, the results screen, a key to end.

#ifndef QUILLON_INDEX_DELIVERY_H_
#define QUILLON_INDEX_DELIVERY_H_

#include "base/run.h"

namespace quillon {

/// Delivers the pages to htm_out, removes the work files, shows the results
/// with run.settings.word_total and ends the run on a key.
[[noreturn]] void deliver_results(Run& run);

}  // namespace quillon

#endif  // QUILLON_INDEX_DELIVERY_H_
