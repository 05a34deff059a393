// The word index, from the comparison page to the delivered pages: every
// index phase in order, with the loop over page groups.

#ifndef QUILLON_INDEX_INDEXING_H_
#define QUILLON_INDEX_INDEXING_H_

#include "base/run.h"

namespace quillon {

/// Builds the index and delivers it; ends the run at the results screen.
void run_indexing(Run& run);

}  // namespace quillon

#endif  // QUILLON_INDEX_INDEXING_H_
