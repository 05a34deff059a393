// The word index as the straightforward procedure builds it, for tests
// only: one pass over the rank-sorted records per page, one search of the
// numbered records per word and one read of a word's file per occurrence,
// one count command per entry of the index of all words, the page listings,
// page copies and work files that nobody reads, every file copied rather
// than moved. Slow, and obviously the procedure; the program must give the
// same bytes in every file it leaves and on the console.

#ifndef QUILLON_MODEL_MODEL_INDEX_H_
#define QUILLON_MODEL_MODEL_INDEX_H_

#include <string>

#include "run/run.h"

namespace quillon {

/// Everything from page preparation to the results screen, where it ends the
/// run (RunEnded) after the delivery.
void model_index(Run& run, const std::string& page_number_pad, const std::string& destination_site);

}  // namespace quillon

#endif  // QUILLON_MODEL_MODEL_INDEX_H_
